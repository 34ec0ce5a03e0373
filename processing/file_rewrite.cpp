#include "processing/file_rewrite.h"

#include "io/paths.h"
#include "processing/unified_diff.h"

namespace qf {
namespace {

/// A second read of the opened file, for the comparison; a Changed failure
/// when its path leads elsewhere by now.
std::unique_ptr<OpenedFile> ReadAgain(const OpenedSource& source, FileSystem& files) {
  std::unique_ptr<OpenedFile> again = files.OpenForReading(source.Path);
  if (again->Facts().Identity != source.File->Facts().Identity)
    RaiseIoFailure(IoFailureKind::Changed, PathText(source.Path));
  return again;
}

/// What a real run would refuse to replace, a run that only looks refuses
/// too.
void RefuseAsARunWould(const OpenedSource& source) {
  const FileFacts& facts = source.File->Facts();
  if (facts.ReadOnly)
    RaiseIoFailure(IoFailureKind::ReadOnly, PathText(source.Path));
  if (facts.Foreign)
    RaiseIoFailure(IoFailureKind::Foreign, PathText(source.Path));
}

/// Hears what a rewrite tells that the run keeps (the marker line written,
/// an indentation cut), and passes every notice on to `next`, if any.
class FileTrace final : public RewriteTrace {
public:
  explicit FileTrace(RewriteTrace* next = nullptr) : next_(next) {}
  void Added(std::size_t count, bool marker) override {
    Marked = Marked || marker;
    if (next_ != nullptr)
      next_->Added(count, marker);
  }
  void Kept(std::uint64_t first, std::uint64_t last) override {
    if (next_ != nullptr)
      next_->Kept(first, last);
  }
  void Dropped(std::uint64_t first, std::uint64_t last) override {
    if (next_ != nullptr)
      next_->Dropped(first, last);
  }
  void CodeStarts() override {
    if (next_ != nullptr)
      next_->CodeStarts();
  }
  void IndentCapped() override { Capped = true; }
  void MarkerMet() override { Revisit.MarkerMet = true; }
  void Block(BlockFate fate) override { Revisit.Count(fate); }

  /// What the rewrite put in `rewrite`, the settings asking.
  void Tell(FileRewrite& rewrite, const ProcessingSettings& settings) const {
    rewrite.IndentCapped = Capped;
    if (settings.TidiesAgain())
      rewrite.Revisit = Revisit;
  }

  bool Marked = false;
  bool Capped = false;
  RevisitAccount Revisit;

private:
  RewriteTrace* next_;
};

FileRewrite Compare(OpenedSource& source, const RewriteRequest& request);

/// The rewrite of `input`, a read of `source`, in the source's temporary file.
FileRewrite StageFrom(ByteSource& input, const OpenedSource& source,
                      const RewriteRequest& request) {
  FileRewrite rewrite;
  rewrite.Staged = std::make_unique<StagedFile>(request.Files, source.Path, source.File->Facts());
  FileTrace trace;
  rewrite.Outcome = RewriteStream(input, rewrite.Staged->Sink(), PathText(source.Path),
                                  request.Settings, request.Codes, &trace);
  trace.Tell(rewrite, request.Settings);
  if (rewrite.Outcome == RewriteOutcome::AlreadyProcessed)
    rewrite.Staged.reset();
  return rewrite;
}

FileRewrite Stage(OpenedSource& source, const RewriteRequest& request) {
  if (!request.Settings.TidiesAgain())
    return StageFrom(*source.File, source, request);
  // A file tidied before may come out the same: then it keeps its bytes and
  // its time, and no temporary file is made. One that changes is rewritten
  // again, from a third read, into its temporary file.
  FileRewrite compared = Compare(source, request);
  if (compared.Outcome != RewriteOutcome::Rewritten || !compared.Changes)
    return compared;
  const std::unique_ptr<OpenedFile> again = ReadAgain(source, request.Files);
  return StageFrom(*again, source, request);
}

FileRewrite Compare(OpenedSource& source, const RewriteRequest& request) {
  const std::unique_ptr<OpenedFile> original = ReadAgain(source, request.Files);
  ComparingSink sink(*original);
  FileTrace trace;
  FileRewrite rewrite;
  rewrite.Outcome = RewriteStream(*source.File, sink, PathText(source.Path), request.Settings,
                                  request.Codes, &trace);
  rewrite.Changes = rewrite.Outcome == RewriteOutcome::Rewritten && !sink.Same();
  rewrite.Marked = trace.Marked || trace.Revisit.MarkerMet;
  trace.Tell(rewrite, request.Settings);
  return rewrite;
}

FileRewrite Diff(OpenedSource& source, const RewriteRequest& request) {
  const std::unique_ptr<OpenedFile> original = ReadAgain(source, request.Files);
  auto hunks = std::make_shared<Spool>(request.Files);
  UnifiedDiff diff(*original, request.Codes, *hunks, request.Files);
  FileTrace trace(&diff);
  FileRewrite rewrite;
  rewrite.Outcome = RewriteStream(*source.File, diff, PathText(source.Path), request.Settings,
                                  request.Codes, &trace);
  trace.Tell(rewrite, request.Settings);
  if (rewrite.Outcome != RewriteOutcome::Rewritten) {
    rewrite.Changes = false;
    return rewrite;
  }
  rewrite.Changes = diff.Finish();
  rewrite.Marked = trace.Marked || trace.Revisit.MarkerMet;
  if (rewrite.Changes)
    rewrite.Hunks = std::move(hunks);
  return rewrite;
}

} // namespace

FileRewrite RewriteFile(OpenedSource& source, const RewriteRequest& request) {
  FileRewrite rewrite;
  switch (request.Mode) {
  case RunMode::Write:
    return Stage(source, request);
  case RunMode::DryRun:
    rewrite = Compare(source, request);
    break;
  case RunMode::Diff:
    rewrite = Diff(source, request);
    break;
  }
  const bool leftAlone = request.Settings.TidiesAgain() && !rewrite.Changes;
  if (rewrite.Outcome == RewriteOutcome::Rewritten && !leftAlone)
    RefuseAsARunWould(source);
  return rewrite;
}

} // namespace qf

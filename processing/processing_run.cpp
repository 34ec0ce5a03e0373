#include "processing/processing_run.h"

#include "io/paths.h"
#include "io/utf.h"
#include "processing/commit_worker.h"
#include "processing/project_paths.h"

#include <new>

namespace qf {
namespace {

namespace fs = std::filesystem;

/// One run over a project that has been read: rewrites each file once, in
/// the way the mode asks, hands a staged rewrite to the commit worker, and
/// tells the observer in order.
class ProjectRun {
public:
  ProjectRun(const ProjectContents& project, const FileIdentity& projectFile,
             const RunEnvironment& environment, RunObserver& observer)
      : project_(project), projectFile_(projectFile),
        environment_(environment), request_{environment.Settings, environment.Codes,
                                            environment.Files, environment.Mode},
        ledger_(environment.Ledger != nullptr ? *environment.Ledger : ownLedger_),
        observer_(observer) {}

  std::optional<Failure> Go();

private:
  std::optional<Failure> Handle(FileKind kind, const SourceFileEntry& entry);
  FileResult Rewrite(FileKind kind, const SourceFileEntry& entry, FileRewrite& rewrite);
  std::optional<Failure> FinishInFlight();
  void AnnounceKindsThrough(std::size_t kind);

  /// The file whose rewrite the worker is putting in place.
  struct InFlight {
    FileKind Kind;
    const SourceFileEntry* Entry;
    FileResult Result;
  };

  const ProjectContents& project_;
  FileIdentity projectFile_;
  const RunEnvironment& environment_;
  RewriteRequest request_;
  DryRunLedger ownLedger_;
  DryRunLedger& ledger_;
  RunObserver& observer_;
  std::size_t kindsAnnounced_ = 0;
  std::optional<InFlight> inFlight_;
  std::optional<Failure> failedBefore_; ///< the failure of the file in flight, told
  CommitWorker worker_; // last: ends (waiting for a commit in flight) before the rest
};

std::optional<Failure> ProjectRun::Go() {
  const std::atomic<bool>* stop = environment_.StopRequested;
  for (const FileKindInfo& kind : kFileKinds)
    for (const SourceFileEntry& entry : project_.Entries(kind.Kind)) {
      if (stop != nullptr && stop->load())
        return FinishInFlight();
      if (std::optional<Failure> failure = Handle(kind.Kind, entry))
        return failure;
    }
  if (std::optional<Failure> failure = FinishInFlight())
    return failure;
  AnnounceKindsThrough(kFileKindCount - 1);
  return std::nullopt;
}

/// Opens the entry's file and rewrites it. A file listed again (by another
/// name too) waits for its first rewrite to be in place, and so reads it; a
/// run that touches nothing finds it as a real run would. Empty when the
/// file in flight failed first.
FileResult ProjectRun::Rewrite(FileKind kind, const SourceFileEntry& entry, FileRewrite& rewrite) {
  OpenedSource source = OpenSource(kind, entry, projectFile_, environment_.Files);
  FileResult result;
  result.Path = source.Path;
  result.Identity = source.File->Facts().Identity;
  if (inFlight_ && inFlight_->Result.Identity == result.Identity) {
    source = {};
    failedBefore_ = FinishInFlight();
    if (failedBefore_)
      return result;
    source = OpenSource(kind, entry, projectFile_, environment_.Files);
    result.Identity = source.File->Facts().Identity;
  }
  if (environment_.Mode != RunMode::Write && ledger_.Marked(result.Identity)) {
    // A real run would by now read its own rewrite: refused, or, in an
    // update, found tidy.
    result.Changes = false;
    if (environment_.Settings.Update)
      result.Revisit = RevisitAccount{.MarkerMet = true};
    else
      result.Outcome = RewriteOutcome::AlreadyProcessed;
    return result;
  }
  rewrite = RewriteFile(source, request_);
  result.Outcome = rewrite.Outcome;
  result.Changes = rewrite.Changes;
  result.Hunks = rewrite.Hunks;
  result.IndentCapped = rewrite.IndentCapped;
  result.Revisit = rewrite.Revisit;
  if (environment_.Mode != RunMode::Write && rewrite.Outcome == RewriteOutcome::Rewritten)
    ledger_.Rewrote(result.Identity, rewrite.Marked);
  return result;
}

/// Rewrites the file while the one before it is being put in place, then
/// tells both in order. A failure of the file before wins: the run stops
/// there, and this file's temporary file goes with its rewrite.
std::optional<Failure> ProjectRun::Handle(FileKind kind, const SourceFileEntry& entry) {
  FileRewrite rewrite;
  FileResult result;
  std::optional<Failure> failure;
  failure = Trap([&] { result = Rewrite(kind, entry, rewrite); }, Utf16ToUtf8(entry.Location));
  if (failure)
    rewrite = {}; // a temporary file begun goes now
  if (failedBefore_)
    return failedBefore_;
  if (std::optional<Failure> before = FinishInFlight())
    return before;
  AnnounceKindsThrough(static_cast<std::size_t>(kind));
  observer_.FileStarted(kind, entry);
  if (failure) {
    observer_.Stopped(*failure);
    return failure;
  }
  if (!rewrite.Staged) {
    observer_.FileDone(kind, entry, result);
    return std::nullopt;
  }
  inFlight_ = InFlight{kind, &entry, std::move(result)};
  worker_.Start(std::move(rewrite.Staged));
  return std::nullopt;
}

std::optional<Failure> ProjectRun::FinishInFlight() {
  if (!inFlight_)
    return std::nullopt;
  const InFlight done = std::move(*inFlight_);
  inFlight_.reset();
  if (std::optional<Failure> failure = worker_.Finish()) {
    observer_.Stopped(*failure);
    return failure;
  }
  observer_.FileDone(done.Kind, *done.Entry, done.Result);
  return std::nullopt;
}

/// Tells the kinds up to `kind` (by their place in the table) not yet told.
void ProjectRun::AnnounceKindsThrough(std::size_t kind) {
  for (; kindsAnnounced_ <= kind; ++kindsAnnounced_)
    observer_.KindStarted(kFileKinds[kindsAnnounced_].Kind);
}

} // namespace

std::optional<Failure> ProcessProject(std::u16string_view projectPath,
                                      const RunEnvironment& environment, RunObserver& observer) {
  const fs::path projectFile = PathFromUtf16(projectPath);
  ProjectContents project;
  FileIdentity identity;
  if (std::optional<Failure> failure = Trap(
          [&] {
            const std::unique_ptr<OpenedFile> source =
                environment.Files.OpenForReading(projectFile);
            identity = source->Facts().Identity;
            project = ReadProjectFile(*source, PathText(projectFile), environment.Codes,
                                      ProjectFolderOf(projectPath));
          },
          PathText(projectFile)))
    return failure;
  observer.ProjectRead(project.Info);
  return ProjectRun(project, identity, environment, observer).Go();
}

std::optional<Failure> ProcessSources(const ProjectContents& sources,
                                      const RunEnvironment& environment, RunObserver& observer) {
  std::size_t count = 0;
  for (const auto& entries : sources.Files)
    count += entries.size();
  observer.SourcesNamed(count);
  // No project file: the empty identity is no file's.
  return ProjectRun(sources, FileIdentity{}, environment, observer).Go();
}

} // namespace qf

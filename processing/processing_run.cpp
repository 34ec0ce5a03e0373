#include "processing/processing_run.h"

#include "io/paths.h"
#include "io/utf.h"
#include "processing/commit_worker.h"
#include "processing/project_paths.h"
#include "rewrite/rewrite_file.h"

namespace qf {
namespace {

namespace fs = std::filesystem;

/// One run over a project that has been read: stages each file's rewrite,
/// hands it to the commit worker, and tells the observer in order.
class ProjectRun {
public:
  ProjectRun(const ProjectContents& project, fs::path projectFile,
             const RunEnvironment& environment, RunObserver& observer)
      : project_(project), projectFile_(std::move(projectFile)), environment_(environment),
        observer_(observer) {}

  std::optional<Failure> Go();

private:
  std::optional<Failure> Handle(FileKind kind, const SourceFileEntry& entry);
  std::optional<Failure> Inspect(FileKind kind, const SourceFileEntry& entry);
  std::optional<Failure> FinishInFlight();
  void AnnounceKindsThrough(std::size_t kind);

  /// The file whose rewrite the worker is putting in place.
  struct InFlight {
    FileKind Kind;
    const SourceFileEntry* Entry;
    fs::path Path;
  };

  const ProjectContents& project_;
  fs::path projectFile_;
  const RunEnvironment& environment_;
  RunObserver& observer_;
  std::size_t kindsAnnounced_ = 0;
  std::optional<InFlight> inFlight_;
  DryRunLedger ownLedger_;
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

/// Stages the file's rewrite while the one before it is being put in place,
/// then tells both in order. A failure of the file before wins: the run
/// stops there, and this file's temporary file goes with `staged`. A file
/// listed again (by another name too) waits for its first rewrite to be in
/// place, and so reads it.
std::optional<Failure> ProjectRun::Handle(FileKind kind, const SourceFileEntry& entry) {
  if (environment_.DryRun)
    return Inspect(kind, entry);
  StagedRewrite staged;
  std::optional<Failure> failure;
  fs::path path;
  try {
    path = LocateSource(kind, entry, projectFile_, environment_.Files);
    if (inFlight_ &&
        (path == inFlight_->Path || environment_.Files.SameFile(path, inFlight_->Path)))
      if (std::optional<Failure> before = FinishInFlight())
        return before;
    staged = StageRewrite(path, environment_.Settings, environment_.Codes, environment_.Files);
  } catch (const FailureErrorBase&) {
    failure = HandledFailure();
  }
  if (std::optional<Failure> before = FinishInFlight())
    return before;
  AnnounceKindsThrough(static_cast<std::size_t>(kind));
  observer_.FileStarted(kind, entry);
  if (failure) {
    observer_.Stopped(*failure);
    return failure;
  }
  if (!staged.Staged) {
    observer_.FileDone(kind, entry, {staged.Outcome, std::move(path), false});
    return std::nullopt;
  }
  inFlight_ = InFlight{kind, &entry, std::move(path)};
  worker_.Start(std::move(staged.Staged));
  return std::nullopt;
}

/// A dry run's file: the same checks and the same rewrite, into nothing.
std::optional<Failure> ProjectRun::Inspect(FileKind kind, const SourceFileEntry& entry) {
  FileResult result;
  std::optional<Failure> failure;
  try {
    DryRunLedger& ledger = environment_.Ledger != nullptr ? *environment_.Ledger : ownLedger_;
    result = DryRewrite(LocateSource(kind, entry, projectFile_, environment_.Files),
                        environment_.Settings, environment_.Codes, environment_.Files, ledger);
  } catch (const FailureErrorBase&) {
    failure = HandledFailure();
  }
  AnnounceKindsThrough(static_cast<std::size_t>(kind));
  observer_.FileStarted(kind, entry);
  if (failure) {
    observer_.Stopped(*failure);
    return failure;
  }
  observer_.FileDone(kind, entry, result);
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
  observer_.FileDone(done.Kind, *done.Entry, {RewriteOutcome::Rewritten, done.Path, true});
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
  try {
    const std::unique_ptr<ByteSource> source = environment.Files.OpenForReading(projectFile);
    project = ReadProjectFile(*source, PathText(projectFile), environment.Codes,
                              ProjectFolderOf(projectPath));
  } catch (const FailureErrorBase&) {
    return HandledFailure();
  }
  observer.ProjectRead(project.Info);
  return ProjectRun(project, projectFile, environment, observer).Go();
}

} // namespace qf

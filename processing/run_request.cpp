#include "processing/run_request.h"

#include "io/paths.h"
#include "processing/processing_run.h"
#include "processing/project_group.h"

#include <set>

namespace qf {
namespace {

namespace fs = std::filesystem;

/// Passes a project's account on, and notes whether an indentation was cut.
class Watch final : public RunObserver {
public:
  explicit Watch(RunObserver& account) : account_(account) {}

  void ProjectRead(const ProjectInfo& info) override { account_.ProjectRead(info); }
  void KindStarted(FileKind kind) override { account_.KindStarted(kind); }
  void FileStarted(FileKind kind, const SourceFileEntry& entry) override {
    account_.FileStarted(kind, entry);
  }
  void FileDone(FileKind kind, const SourceFileEntry& entry, const FileResult& result) override {
    Capped = Capped || result.IndentCapped;
    account_.FileDone(kind, entry, result);
  }
  void Stopped(const Failure& failure) override { account_.Stopped(failure); }

  bool Capped = false;

private:
  RunObserver& account_;
};

class Preparation {
public:
  Preparation(const RunRequest& request, FileSystem& files, RequestObserver& observer)
      : request_(request), files_(files), observer_(observer) {
    if (request.CodePage)
      named_.emplace(*request.CodePage);
  }

  bool Go();

private:
  bool Gather(const fs::path& argument);
  void Add(const fs::path& project);
  bool Run(const fs::path& project);
  /// The code page of a project, or of a group (found from its own text);
  /// nothing where none can be told (the failure is told).
  CodePage* CodePageOf(const fs::path& path, bool group, std::optional<CodePage>& found,
                       std::optional<ProjectCodePage>& detected);
  bool Fail(const Failure& failure) {
    observer_.Failed(failure);
    return false;
  }

  const RunRequest& request_;
  FileSystem& files_;
  RequestObserver& observer_;
  std::optional<CodePage> named_; ///< the request's code page, if it names one
  std::vector<fs::path> projects_;
  std::set<FileIdentity> taken_;
  DryRunLedger ledger_;
  bool capped_ = false;
};

bool Preparation::Go() {
  bool clean = true;
  for (const fs::path& argument : request_.Projects)
    if (!Gather(argument)) {
      clean = false;
      if (!request_.KeepGoing)
        return false;
    }
  for (const fs::path& project : projects_)
    if (!Run(project)) {
      clean = false;
      if (!request_.KeepGoing)
        break;
    }
  if (capped_)
    observer_.IndentationCapped();
  return clean;
}

/// Takes in the projects an argument names; false when a group cannot be
/// read.
bool Preparation::Gather(const fs::path& argument) {
  if (!IsProjectGroup(argument)) {
    Add(argument);
    return true;
  }
  std::optional<CodePage> found;
  std::optional<ProjectCodePage> detected;
  CodePage* codes = CodePageOf(argument, true, found, detected);
  if (codes == nullptr)
    return false;
  if (const std::optional<Failure> failure = Trap(
          [&] {
            for (const fs::path& project : ReadProjectGroup(argument, *codes, files_))
              Add(project);
          },
          PathText(argument)))
    return Fail(*failure);
  return true;
}

/// Each project once, by its identity on the disk (one that is not there is
/// run, and fails, under each name given).
void Preparation::Add(const fs::path& project) {
  const std::optional<FileIdentity> identity = files_.Identity(project);
  if (identity && !taken_.insert(*identity).second)
    observer_.NamedAgain(project);
  else
    projects_.push_back(project);
}

CodePage* Preparation::CodePageOf(const fs::path& path, bool group, std::optional<CodePage>& found,
                                  std::optional<ProjectCodePage>& detected) {
  if (named_)
    return &*named_;
  const std::optional<Failure> failure = Trap(
      [&] {
        detected = group ? ChooseFileCodePage(path, files_)
                         : ChooseProjectCodePage(PathUtf16(path), files_);
      },
      PathText(path));
  if (failure) {
    Fail(*failure);
    return nullptr;
  }
  found.emplace(detected->Name);
  return &*found;
}

bool Preparation::Run(const fs::path& project) {
  std::optional<CodePage> found;
  std::optional<ProjectCodePage> detected;
  CodePage* codes = CodePageOf(project, false, found, detected);
  if (codes == nullptr)
    return false;
  ProcessingSettings settings = request_.Settings;
  settings.Labels = request_.Labels.value_or(LabelsForCodePage(*codes));
  const ProjectStart start{project, *codes, detected, settings};
  Watch account(observer_.ProjectStarts(start));
  RunEnvironment environment{settings, *codes, files_, request_.StopRequested};
  environment.Mode = request_.Mode;
  environment.Ledger = &ledger_;
  const std::optional<Failure> failure = ProcessProject(PathUtf16(project), environment, account);
  capped_ = capped_ || account.Capped;
  observer_.ProjectEnded(start, failure);
  return !failure;
}

} // namespace

bool RunProjects(const RunRequest& request, FileSystem& files, RequestObserver& observer) {
  return Preparation(request, files, observer).Go();
}

} // namespace qf

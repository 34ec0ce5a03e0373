#include "processing/run_request.h"

#include "io/paths.h"
#include "io/utf.h"
#include "processing/processing_run.h"
#include "processing/project_group.h"

#include <algorithm>
#include <set>

namespace qf {
namespace {

namespace fs = std::filesystem;

/// Passes a project's account on, and notes whether an indentation was cut.
class Watch final : public RunObserver {
public:
  explicit Watch(RunObserver& account) : account_(account) {}

  void ProjectRead(const ProjectInfo& info) override { account_.ProjectRead(info); }
  void SourcesNamed(std::size_t count) override { account_.SourcesNamed(count); }
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

/// What one argument (or several source files in a row) makes: a project
/// to run, or source files run together.
struct Item {
  explicit Item(fs::path project, bool sources = false)
      : Project(std::move(project)), Sources(sources) {}

  fs::path Project;            ///< the project file, or the first source file
  bool Sources = false;        ///< source files named by themselves
  ProjectContents Files;       ///< Sources: the files, kind by kind
  std::vector<fs::path> Paths; ///< Sources: the files, as named
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
  void AddSource(const fs::path& path, FileKind kind);
  bool Walk(const fs::path& folder);
  std::size_t WalkBelow(const fs::path& folder);
  bool Run(const Item& item);
  /// The code page of a project, of a group or of source files (found from
  /// their own text); nothing where none can be told (the failure is told).
  CodePage* CodePageOf(const Item& item, bool group, std::optional<CodePage>& found,
                       std::optional<ProjectCodePage>& detected);
  bool Fail(const Failure& failure) {
    observer_.Failed(failure);
    return false;
  }
  /// Whether `path` was taken before, by its identity (told when it was).
  bool TakenBefore(const fs::path& path);

  const RunRequest& request_;
  FileSystem& files_;
  RequestObserver& observer_;
  std::optional<CodePage> named_; ///< the request's code page, if it names one
  std::vector<Item> items_;
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
  for (const Item& item : items_)
    if (!Run(item)) {
      clean = false;
      if (!request_.KeepGoing)
        break;
    }
  if (capped_)
    observer_.IndentationCapped();
  return clean;
}

/// Takes in what an argument names; false when a group cannot be read.
bool Preparation::Gather(const fs::path& argument) {
  if (files_.IsFolder(argument))
    return Walk(argument);
  if (const std::optional<FileKind> kind = KindOfName(argument)) {
    AddSource(argument, *kind);
    return true;
  }
  if (!IsProjectGroup(argument)) {
    Add(argument);
    return true;
  }
  std::optional<CodePage> found;
  std::optional<ProjectCodePage> detected;
  CodePage* codes = CodePageOf(Item{argument}, true, found, detected);
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

bool Preparation::TakenBefore(const fs::path& path) {
  const std::optional<FileIdentity> identity = files_.Identity(path);
  if (!identity || taken_.insert(*identity).second)
    return false;
  observer_.NamedAgain(path);
  return true;
}

/// Each project once, by its identity on the disk (one that is not there is
/// run, and fails, under each name given).
void Preparation::Add(const fs::path& project) {
  if (!TakenBefore(project))
    items_.push_back(Item{project});
}

/// A source file joins the source files named just before it.
void Preparation::AddSource(const fs::path& path, FileKind kind) {
  if (TakenBefore(path))
    return;
  if (items_.empty() || !items_.back().Sources)
    items_.push_back(Item{path, true});
  Item& item = items_.back();
  const std::u16string location = Utf8ToUtf16Lenient(PathText(path));
  std::u16string name;
  if (InfoOf(kind).Named)
    name = Utf8ToUtf16Lenient(PathText(path.stem()));
  item.Files.Entries(kind).push_back({name, location});
  item.Paths.push_back(path);
}

/// The source files below `folder`: each folder's own in byte order of
/// their names, then its folders' in that order. A folder without any is
/// told, and is not a failure.
bool Preparation::Walk(const fs::path& folder) {
  if (WalkBelow(folder) == 0)
    observer_.NoSources(folder);
  return true;
}

std::size_t Preparation::WalkBelow(const fs::path& folder) {
  std::vector<std::string> names = files_.List(folder);
  std::sort(names.begin(), names.end());
  std::size_t met = 0;
  std::vector<fs::path> folders;
  for (const std::string& name : names) {
    const fs::path path = folder / PathFromUtf8(name);
    if (files_.IsFolder(path)) {
      folders.push_back(path);
    } else if (const std::optional<FileKind> kind = KindOfName(path)) {
      AddSource(path, *kind);
      ++met;
    }
  }
  for (const fs::path& below : folders)
    met += WalkBelow(below);
  return met;
}

CodePage* Preparation::CodePageOf(const Item& item, bool group, std::optional<CodePage>& found,
                                  std::optional<ProjectCodePage>& detected) {
  if (named_)
    return &*named_;
  const std::optional<Failure> failure = Trap(
      [&] {
        detected = item.Sources ? ChooseSourcesCodePage(item.Paths, files_)
                   : group      ? ChooseFileCodePage(item.Project, files_)
                                : ChooseProjectCodePage(PathUtf16(item.Project), files_);
      },
      PathText(item.Project));
  if (failure) {
    Fail(*failure);
    return nullptr;
  }
  found.emplace(detected->Name);
  return &*found;
}

bool Preparation::Run(const Item& item) {
  std::optional<CodePage> found;
  std::optional<ProjectCodePage> detected;
  CodePage* codes = CodePageOf(item, false, found, detected);
  if (codes == nullptr)
    return false;
  ProcessingSettings settings = request_.Settings;
  settings.Labels = request_.Labels.value_or(LabelsForCodePage(*codes));
  const ProjectStart start{item.Project, *codes, detected, settings, item.Sources};
  Watch account(observer_.ProjectStarts(start));
  RunEnvironment environment{settings, *codes, files_, request_.StopRequested};
  environment.Mode = request_.Mode;
  environment.Ledger = &ledger_;
  const std::optional<Failure> failure =
      item.Sources ? ProcessSources(item.Files, environment, account)
                   : ProcessProject(PathUtf16(item.Project), environment, account);
  capped_ = capped_ || account.Capped;
  observer_.ProjectEnded(start, failure);
  return !failure;
}

} // namespace

bool RunProjects(const RunRequest& request, FileSystem& files, RequestObserver& observer) {
  return Preparation(request, files, observer).Go();
}

} // namespace qf

#include "processing/project_group.h"

#include "io/paths.h"
#include "io/utf.h"
#include "processing/project_failure.h"
#include "processing/project_paths.h"
#include "text/ascii.h"
#include "text/decoded_line_reader.h"

#include <algorithm>
#include <optional>
#include <set>

namespace qf {
namespace {

namespace fs = std::filesystem;

/// The value of a Project= or StartupProject= line, trimmed; empty for any
/// other line.
std::u16string_view ProjectNamed(std::u16string_view line) {
  const std::size_t equals = line.find(u'=');
  if (equals == std::u16string_view::npos)
    return {};
  const std::u16string_view key = ascii::TrimSpaces(line.substr(0, equals));
  if (!ascii::Is(key, u"PROJECT") && !ascii::Is(key, u"STARTUPPROJECT"))
    return {};
  return ascii::TrimSpaces(line.substr(equals + 1));
}

/// Whether the extension of `path` is `extension` (in capitals), in any
/// letter case.
bool HasExtension(const fs::path& path, std::string_view extension) {
  const std::string found = PathText(path.extension());
  return std::equal(found.begin(), found.end(), extension.begin(), extension.end(),
                    [](char a, char b) { return ascii::Upper(a) == ascii::CodeOf(b); });
}

} // namespace

bool IsProjectGroup(const fs::path& path) {
  return HasExtension(path, ".VBG");
}

std::vector<fs::path> ReadProjectGroup(const fs::path& group, CodePage& codePage,
                                       FileSystem& files) {
  const std::unique_ptr<OpenedFile> source = files.OpenForReading(group);
  DecodedLineReader lines(*source, codePage, PathText(group));
  const std::u16string folder = ProjectFolderOf(PathUtf16(group));
  std::vector<fs::path> projects;
  // Each project once, by its identity on the disk: one look per name.
  std::set<FileIdentity> seen{source->Facts().Identity};
  while (lines.Next()) {
    const std::u16string_view name = ProjectNamed(lines.Decode(lines.Bytes()));
    if (name.empty())
      continue;
    const auto fail = [&](ProjectFailureKind kind) {
      Raise(ProjectFailure{kind, lines.Name(), lines.LineNumber(), Utf16ToUtf8(name)});
    };
    const fs::path project = ResolveLocation(LocationOf(folder, name), files);
    const std::optional<FileIdentity> identity = files.Identity(project);
    if (!identity)
      fail(ProjectFailureKind::GroupProjectMissing);
    if (*identity == source->Facts().Identity)
      fail(ProjectFailureKind::GroupListsItself);
    if (!HasExtension(project, ".VBP"))
      fail(ProjectFailureKind::GroupEntryNotProject);
    if (seen.insert(*identity).second)
      projects.push_back(project);
  }
  if (projects.empty())
    Raise(ProjectFailure{ProjectFailureKind::GroupWithoutProject, PathText(group)});
  return projects;
}

} // namespace qf

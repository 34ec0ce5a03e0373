#include "processing/project_group.h"

#include "io/paths.h"
#include "io/utf.h"
#include "processing/project_failure.h"
#include "processing/project_paths.h"
#include "text/ascii.h"
#include "text/decoded_line_reader.h"

#include <algorithm>

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

} // namespace

bool IsProjectGroup(const fs::path& path) {
  const std::string extension = PathText(path.extension());
  return extension.size() == 4 &&
         std::equal(extension.begin(), extension.end(), ".VBG",
                    [](char a, char b) { return ascii::Upper(a) == ascii::CodeOf(b); });
}

std::vector<fs::path> ReadProjectGroup(const fs::path& group, CodePage& codePage,
                                       FileSystem& files) {
  const std::unique_ptr<ByteSource> source = files.OpenForReading(group);
  DecodedLineReader lines(*source, codePage, PathText(group));
  const std::u16string folder = ProjectFolderOf(PathUtf16(group));
  std::vector<fs::path> projects;
  while (lines.Next()) {
    const std::u16string_view name = ProjectNamed(lines.Decode(lines.Bytes()));
    if (name.empty())
      continue;
    const fs::path project = ResolveLocation(LocationOf(folder, name), files);
    if (!files.Exists(project))
      Raise(ProjectFailure{ProjectFailureKind::GroupProjectMissing, lines.Name(),
                           lines.LineNumber(), Utf16ToUtf8(name)});
    if (files.SameFile(project, group))
      Raise(ProjectFailure{ProjectFailureKind::GroupListsItself, lines.Name(), lines.LineNumber()});
    const bool seen = std::any_of(projects.begin(), projects.end(), [&](const fs::path& other) {
      return other == project || files.SameFile(other, project);
    });
    if (!seen)
      projects.push_back(project);
  }
  if (projects.empty())
    Raise(ProjectFailure{ProjectFailureKind::GroupWithoutProject, PathText(group)});
  return projects;
}

} // namespace qf

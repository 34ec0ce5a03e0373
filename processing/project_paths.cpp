#include "processing/project_paths.h"

#include "io/paths.h"
#include "io/utf.h"
#include "processing/project_failure.h"
#include "processing/source_header.h"
#include "text/ascii.h"

#include <algorithm>
#include <optional>
#include <unicode/uchar.h>
#include <unicode/ustring.h>

namespace qf {
namespace {

namespace fs = std::filesystem;

bool IsSeparator(char16_t c) {
  return c == u'/' || c == u'\\';
}

bool IsAsciiLetter(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

/// Whether two file names are equal under ICU's default case folding.
bool SameIgnoringCase(const std::string& a, const std::string& b) {
  std::u16string left;
  std::u16string right;
  try {
    left = Utf8ToUtf16(a);
    right = Utf8ToUtf16(b);
  } catch (const std::invalid_argument&) {
    return false;
  }
  UErrorCode error = U_ZERO_ERROR;
  const int32_t order =
      u_strCaseCompare(left.data(), static_cast<int32_t>(left.size()), right.data(),
                       static_cast<int32_t>(right.size()), U_FOLD_CASE_DEFAULT, &error);
  return U_SUCCESS(error) && order == 0;
}

/// The name in `folder` that matches `name` without regard to case: `name`
/// itself when it is there, else the first match in byte order.
std::optional<std::string> FindIgnoringCase(const fs::path& folder, const std::string& name,
                                            FileSystem& files) {
  if (files.Exists(folder / PathFromUtf8(name)))
    return name;
  std::vector<std::string> entries = files.List(folder);
  std::sort(entries.begin(), entries.end());
  for (const std::string& entry : entries)
    if (SameIgnoringCase(entry, name))
      return entry;
  return std::nullopt;
}

/// Whether the file name of `path` ends with `extension`, whatever the
/// letter case.
bool HasExtension(const fs::path& path, std::string_view extension) {
  const std::string name = PathText(path.filename());
  return name.size() > extension.size() &&
         std::equal(extension.begin(), extension.end(), name.end() - extension.size(),
                    [](char e, char n) { return ascii::Upper(e) == ascii::Upper(n); });
}

} // namespace

std::optional<FileKind> KindOfName(const fs::path& path) {
  for (const FileKindInfo& kind : kFileKinds)
    if (HasExtension(path, kind.Extension))
      return kind.Kind;
  return std::nullopt;
}

std::u16string ProjectFolderOf(std::u16string_view projectPath) {
  const std::size_t last = projectPath.find_last_of(u"/\\");
  return std::u16string(last == std::u16string_view::npos ? std::u16string_view{}
                                                          : projectPath.substr(0, last + 1));
}

std::u16string LocationOf(std::u16string_view projectFolder, std::u16string_view fileText) {
  const bool absolute = (!fileText.empty() && IsSeparator(fileText.front())) ||
                        (fileText.size() >= 2 && IsAsciiLetter(fileText[0]) && fileText[1] == u':');
  std::u16string location = absolute ? std::u16string{} : std::u16string(projectFolder);
  location += fileText;
  return location;
}

fs::path ResolveLocation(std::u16string_view location, FileSystem& files) {
  std::u16string slashed(location);
  std::replace(slashed.begin(), slashed.end(), u'\\', u'/');
  // "/" goes to the file system as the separator on POSIX; Windows takes
  // its own "\" back (make_preferred), as "\\?\" and "\\.\" names need it.
  const fs::path written = PathFromUtf16(slashed).make_preferred();
  if (files.Exists(written))
    return written;

  const auto [root, below] = SplitRoot(written);
  fs::path resolved = root;
  for (const fs::path& component : below) {
    const std::string name = PathText(component);
    if (name.empty() || name == "." || name == "..") {
      resolved /= component;
      continue;
    }
    const std::optional<std::string> found = FindIgnoringCase(resolved, name, files);
    if (!found)
      return written;
    resolved /= PathFromUtf8(*found);
  }
  return resolved;
}

} // namespace qf

namespace qf {

OpenedSource OpenSource(FileKind kind, const SourceFileEntry& entry,
                        const FileIdentity& projectFile, FileSystem& files) {
  const FileKindInfo& info = InfoOf(kind);
  const auto refuse = [&](const fs::path& name) {
    Raise(ProjectFailure{ProjectFailureKind::WrongExtension, PathText(name), 0,
                         Utf16ToUtf8(entry.Name), kind});
  };
  const fs::path listed = ResolveLocation(entry.Location, files);
  const bool listedRight = HasExtension(listed, info.Extension);
  OpenedSource source;
  if (listedRight) {
    source.File = files.OpenForReading(listed);
  } else {
    // Only its header can make up for the name, so a file that cannot be
    // opened is refused for its name, as before any header was looked at.
    try {
      source.File = files.OpenForReading(listed);
    } catch (const FailureErrorBase&) {
      refuse(listed);
    }
  }
  source.Path = files.RealPath(listed, *source.File);
  if (source.Path.empty())
    RaiseIoFailure(IoFailureKind::Changed, PathText(listed));
  if (!listedRight || !HasExtension(source.Path, info.Extension)) {
    try {
      source.File = WithKindHeader(kind, Utf16ToUtf8(entry.Name), std::move(source.File));
    } catch (const FailureErrorBase&) {
      source.File = nullptr; // unreadable, so refused for its name
    }
    if (!source.File)
      refuse(listedRight ? source.Path : listed);
  }
  if (source.File->Facts().Identity == projectFile)
    Raise(ProjectFailure{ProjectFailureKind::ProjectFileListed, PathText(source.Path)});
  return source;
}

} // namespace qf

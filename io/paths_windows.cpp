// Windows: a path is UTF-16 (wchar_t), handed as it is to the wide-character
// file functions; never through std::string, which would mean the ANSI code
// page.

#include "io/paths.h"
#include "io/utf.h"

namespace qf {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "a Windows path is UTF-16");

std::u16string_view View(const std::wstring& text) {
  return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

} // namespace

std::filesystem::path PathFromUtf16(std::u16string_view name) {
  return std::filesystem::path(std::wstring(name.begin(), name.end()));
}

std::filesystem::path PathFromUtf8(std::string_view name) {
  return PathFromUtf16(Utf8ToUtf16Lenient(name));
}

std::string PathText(const std::filesystem::path& path) {
  return Utf16ToUtf8(View(path.native()));
}

std::string PortablePathText(const std::filesystem::path& path) {
  return Utf16ToUtf8(View(path.generic_wstring()));
}

std::u16string PathUtf16(const std::filesystem::path& path) {
  return std::u16string(View(path.native()));
}

std::pair<std::filesystem::path, std::filesystem::path>
SplitRoot(const std::filesystem::path& path) {
  const std::wstring text = std::filesystem::path(path).make_preferred().native();
  if (text.rfind(L"\\\\", 0) != 0) {
    // root_path() would join a drive's name and "\" with "/".
    const std::size_t root =
        path.root_name().native().size() + path.root_directory().native().size();
    return {std::filesystem::path(text.substr(0, root)), path.relative_path()};
  }
  // \\server\share\, \\?\C:\, \\.\pipe\, \\?\UNC\server\share\: the two
  // backslashes, then one name or two (a share after a server, after UNC).
  const bool device = text.size() > 3 && (text[2] == L'?' || text[2] == L'.') && text[3] == L'\\';
  std::size_t names = device ? 1 : 2;
  std::size_t end = device ? 4 : 2;
  for (std::size_t name = 0; name < names && end < text.size(); ++name) {
    const std::size_t next = text.find(L'\\', end);
    if (device && name == 0 && text.compare(end, next - end, L"UNC") == 0)
      names += 2;
    end = next == std::wstring::npos ? text.size() : next + 1;
  }
  return {std::filesystem::path(text.substr(0, end)), std::filesystem::path(text.substr(end))};
}

} // namespace qf

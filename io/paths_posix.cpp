// POSIX: a path is bytes, and the core writes file names in UTF-8.

#include "io/paths.h"
#include "io/utf.h"

namespace qf {

std::filesystem::path PathFromUtf16(std::u16string_view name) {
  return std::filesystem::path(Utf16ToUtf8(name));
}

std::filesystem::path PathFromUtf8(std::string_view name) {
  return std::filesystem::path(std::string(name));
}

std::string PathText(const std::filesystem::path& path) {
  return path.native();
}

std::string PortablePathText(const std::filesystem::path& path) {
  return path.generic_string();
}

std::u16string PathUtf16(const std::filesystem::path& path) {
  return Utf8ToUtf16Lenient(path.native());
}

std::pair<std::filesystem::path, std::filesystem::path>
SplitRoot(const std::filesystem::path& path) {
  return {path.root_path(), path.relative_path()};
}

} // namespace qf

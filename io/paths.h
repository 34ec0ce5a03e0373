#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

namespace qf {

// The one place where the core's texts become paths and paths become texts.
//
// The core holds file names as UTF-16 (decoded from the project file in its
// code page) or UTF-8 (command-line arguments, messages). A path is what the
// operating system takes: on POSIX its bytes (UTF-8), on Windows UTF-16 for
// the wide-character file functions. std::filesystem's own conversions from
// and to std::string use the ANSI code page on Windows and lose every
// character it lacks, so nothing else converts between the two.

/// The path of a file name held as UTF-16.
std::filesystem::path PathFromUtf16(std::u16string_view name);

/// The path of a file name held as UTF-8 (on POSIX: any bytes, taken as
/// they are).
std::filesystem::path PathFromUtf8(std::string_view name);

/// The path's text in UTF-8, for messages, reports and keys. On POSIX its
/// bytes as they are, so a name that is not UTF-8 is named by its own bytes.
std::string PathText(const std::filesystem::path& path);

/// PathText() with "/" between folders on every system (a diff's labels).
std::string PortablePathText(const std::filesystem::path& path);

/// The path's text in UTF-16 (a byte that is not UTF-8 becomes U+FFFD).
std::u16string PathUtf16(const std::filesystem::path& path);

/// `path` cut where its folders begin: the root, which names the drive,
/// share or device and is taken as it is, and the folders and the file
/// below it. On POSIX its root_path() and relative_path(); on Windows
/// also a UNC name's \\server\share\ and the \\?\C:\ or \\.\pipe\ of a
/// device name, which std::filesystem (GCC 12) takes for folders.
std::pair<std::filesystem::path, std::filesystem::path>
SplitRoot(const std::filesystem::path& path);

} // namespace qf

#pragma once

#include "io/io_failure.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace qf::test {

// What a test needs of the system it runs on, in one place per system
// (system_facts_posix.cpp, system_facts_windows.cpp).

/// What tells the file at `path` from any other on its volume: the inode
/// (POSIX) or the file index (Windows); 0 when it cannot be read. A file
/// renamed over another takes its own along.
std::uint64_t FileNumber(const std::filesystem::path& path);

/// The file's identity, size and time of last modification (to the
/// nanosecond or 100 ns), as one text: a file left alone keeps it.
std::string FileStamp(const std::filesystem::path& path);

/// The system's words for a file that is not there, as a failure's detail
/// gives them ("No such file or directory" on POSIX; on Windows in the
/// user's language).
std::string NoSuchFileWords();

/// The error an injected fault raises (an I/O error, as a failing disk
/// gives), and the system's words for it.
SystemError InjectedFault();
std::string InjectedFaultWords();

/// Makes `link` a symbolic link to `target` (relative to the link's
/// folder); false where the system cannot (Windows without the privilege;
/// wine, which says it made one and makes nothing).
bool MakeSymbolicLink(const std::filesystem::path& target, const std::filesystem::path& link);

} // namespace qf::test

#pragma once

#include <cstdint>

namespace qf {

/// What tells a file from every other on the machine: its device and inode
/// (POSIX), its volume's serial number and its file index (Windows). Two
/// paths name the same file when they lead to the same identity.
struct FileIdentity {
  std::uint64_t Volume = 0;
  std::uint64_t Index = 0;
  bool operator==(const FileIdentity&) const = default;
  /// An order, for sets and maps of files.
  bool operator<(const FileIdentity& other) const {
    return Volume != other.Volume ? Volume < other.Volume : Index < other.Index;
  }
};

/// What an opened file is, read from the opened file itself (fstat,
/// GetFileInformationByHandle), never from its name: what is checked is
/// what is read and replaced.
struct FileFacts {
  FileIdentity Identity;
  /// The permission bits (POSIX) or the file attributes (Windows).
  unsigned Mode = 0;
  /// The owner and the group (POSIX; 0 on Windows).
  std::uint32_t Owner = 0;
  std::uint32_t Group = 0;
  /// Its owner may not write it (POSIX), or it carries the read-only
  /// attribute (Windows): it is not replaced, whoever runs the tool.
  bool ReadOnly = false;
  /// It belongs to another user, so a new file of this process cannot be
  /// given its owner (POSIX; false on Windows and for the superuser).
  bool Foreign = false;
};

} // namespace qf

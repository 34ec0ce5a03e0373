#pragma once

#include "io/byte_stream.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace qf {

/// A file being written. Write() it, Sync() it to the disk, Close() it;
/// each step raises a failure (FailureError) naming the file when it fails.
class WritableFile : public ByteSink {
public:
  virtual void Sync() = 0;
  virtual void Close() = 0;
};

/// The file operations of a processing run, behind one seam so that a test
/// can make any of them fail.
class FileSystem {
public:
  virtual ~FileSystem() = default;

  /// Opens `path` for reading. Raises an Open or NotAFile failure
  /// (missing, a directory, unreadable).
  virtual std::unique_ptr<ByteSource> OpenForReading(const std::filesystem::path& path) = 0;

  /// Creates `path`, or empties it, for writing, with the permission bits
  /// (POSIX) or the attributes (Windows) of the file `permissionsOf`.
  /// Raises a Create or Permissions failure; on Windows, a ReadOnly failure
  /// naming `permissionsOf` when that is marked read-only (before `path` is
  /// created).
  virtual std::unique_ptr<WritableFile> Create(const std::filesystem::path& path,
                                               const std::filesystem::path& permissionsOf) = 0;

  /// Renames `from` over `to` in one step: at no moment is `to` missing or
  /// partly written, and the rename is on the disk when this returns
  /// (POSIX: the folder is flushed; Windows: MOVEFILE_WRITE_THROUGH).
  /// Raises a Replace failure naming `to`.
  virtual void Replace(const std::filesystem::path& from, const std::filesystem::path& to) = 0;

  /// Removes `path` if it is there; never fails.
  virtual void Remove(const std::filesystem::path& path) noexcept = 0;

  /// Whether anything (a file, a folder, a link) is at `path`.
  virtual bool Exists(const std::filesystem::path& path) = 0;

  /// The names in `folder` (UTF-8 on Windows; see io/paths.h); empty
  /// when it cannot be listed.
  virtual std::vector<std::string> List(const std::filesystem::path& folder) = 0;

  /// The file that `path` names: the final target where it is a symbolic
  /// link (or a chain of them), else `path` itself.
  virtual std::filesystem::path Target(const std::filesystem::path& path) = 0;

  /// Whether two paths name the same file.
  virtual bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) = 0;
};

/// The operating system's file system (file_system_posix.cpp,
/// file_system_windows.cpp).
FileSystem& RealFileSystem();

} // namespace qf

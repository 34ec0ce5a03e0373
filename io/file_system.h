#pragma once

#include "io/byte_stream.h"
#include "io/file_facts.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qf {

/// A file being written. Write() it, Sync() it to the disk, Close() it;
/// each step raises a failure (IoFailure) naming the file when it fails.
class WritableFile : public ByteSink {
public:
  virtual void Sync() = 0;
  virtual void Close() = 0;
};

/// A file for bytes kept for a while (a diff too long to hold in memory),
/// with no name: it is gone when it is closed, and nobody else can reach it.
class ScratchFile : public ByteSink {
public:
  /// Reads up to `size` bytes from `offset`; returns 0 only at the end.
  /// Raises a Read failure.
  virtual std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t size) = 0;
};

/// The file operations of a processing run, behind one seam so that a test
/// can make any of them fail, or count them.
///
/// A project may come from anyone, so what is decided about a file is
/// decided from the opened file (its Facts()), never from a second look at
/// its name, and the only files created are the run's own temporary files,
/// created anew.
class FileSystem {
public:
  virtual ~FileSystem() = default;

  /// Opens `path` for reading (a symbolic link is followed). Raises an
  /// Open failure (missing, unreadable) or a NotAFile failure (a folder, a
  /// FIFO, a device, ...; told from the opened file without reading it).
  virtual std::unique_ptr<OpenedFile> OpenForReading(const std::filesystem::path& path) = 0;

  /// Creates the temporary file `path` anew, as this process's own, for a
  /// rewrite of the file that `like` describes. Whatever stands at `path`
  /// (a stale file, a link, a FIFO) is removed first without being
  /// followed; a folder there is a TemporaryIsFolder failure. The new file
  /// is given `like`'s owner and group (POSIX) and its permission bits or
  /// attributes, through its own descriptor only. Raises a Create,
  /// TemporaryIsFolder, Foreign or Permissions failure (then no file is
  /// left at `path`).
  virtual std::unique_ptr<WritableFile> CreateTemporary(const std::filesystem::path& path,
                                                        const FileFacts& like) = 0;

  /// Renames `from` over `to` in one step, provided `to` is still the file
  /// `replaced` (else a Changed failure, and `to` is left alone): at no
  /// moment is `to` missing or partly written, and the rename is on the
  /// disk when this returns (POSIX: the folder is flushed; Windows:
  /// MOVEFILE_WRITE_THROUGH). Raises a Replace or Changed failure naming
  /// `to`.
  virtual void Replace(const std::filesystem::path& from, const std::filesystem::path& to,
                       const FileIdentity& replaced) = 0;

  /// Removes the file (or link) at `path` if it is there; never fails.
  virtual void Remove(const std::filesystem::path& path) noexcept = 0;

  /// Whether anything (a file, a folder, a link) is at `path`.
  virtual bool Exists(const std::filesystem::path& path) = 0;

  /// Whether `path` is a folder itself: a symbolic link (on Windows, any
  /// reparse point) is not, wherever it leads, so that a walk over folders
  /// stays in the tree it was given and never goes round in a loop.
  virtual bool IsFolder(const std::filesystem::path& path) = 0;

  /// The names in `folder` (UTF-8 on Windows; see io/paths.h); empty
  /// when it cannot be listed.
  virtual std::vector<std::string> List(const std::filesystem::path& folder) = 0;

  /// Where the file `opened`, opened at `path`, really is: `path` itself
  /// unless `path` is a symbolic link, else its final target. Checked to
  /// lead to the very file opened; empty when it does not (the name was
  /// changed since) or cannot be told.
  virtual std::filesystem::path RealPath(const std::filesystem::path& path,
                                         const OpenedFile& opened) = 0;

  /// The identity of the file `path` leads to (links followed); nothing
  /// when there is none.
  virtual std::optional<FileIdentity> Identity(const std::filesystem::path& path) = 0;

  /// A new scratch file in the system's folder for temporary files ($TMPDIR,
  /// /tmp; GetTempPath). Raises a Create failure.
  virtual std::unique_ptr<ScratchFile> CreateScratch() = 0;
};

/// The operating system's file system (file_system_posix.cpp,
/// file_system_windows.cpp).
FileSystem& RealFileSystem();

} // namespace qf

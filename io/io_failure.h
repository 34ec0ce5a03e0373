#pragma once

#include "io/failure_error.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qf {

/// What stands at a path that was to be a regular file.
enum class FileType : std::uint8_t {
  Regular,
  Folder,
  Fifo,
  Socket,
  CharacterDevice,
  BlockDevice,
  Pipe,  ///< a named pipe of Windows
  Other, ///< a device of another kind, or a special file
};

/// An error code of the operating system: errno on POSIX, GetLastError()
/// on Windows; 0 when the system gave none.
struct SystemError {
  int Code = 0;
  bool operator==(const SystemError&) const = default;
};

/// The system's own words for `error`, in UTF-8 and without a closing full
/// stop ("No such file or directory"); empty for none.
/// system_error_posix.cpp (strerror) or system_error_windows.cpp
/// (FormatMessageW, in the user's language).
std::string SystemErrorText(SystemError error);

/// The system's error of the call that just failed (errno, GetLastError()).
SystemError LastSystemError();

/// What failed between the program and the operating system's files.
enum class IoFailureKind : std::uint8_t {
  Open,              ///< a file cannot be opened for reading
  NotAFile,          ///< the path names no regular file (Type says what)
  Read,              ///< reading failed
  Create,            ///< the temporary file cannot be created
  Permissions,       ///< the temporary file's permission bits or attributes cannot be set
  Write,             ///< writing failed
  Flush,             ///< flushing to the disk failed
  Close,             ///< closing failed
  Replace,           ///< the rewrite cannot be renamed over the source
  ReadOnly,          ///< the source is read-only and is not replaced
  Foreign,           ///< the source's owner or group cannot be kept: it is not replaced
  TemporaryIsFolder, ///< a folder stands where the temporary file goes
  Changed,           ///< the file at the path is no longer the one opened: it is not replaced
};
inline constexpr std::size_t kIoFailureKinds = 13;

/// One failure of the file I/O: its kind, the file as the user named it,
/// and its particulars, each in a field of its own.
struct IoFailure {
  IoFailureKind Kind = IoFailureKind::Open;
  std::string File{};
  std::uint64_t Line = 0;          ///< Read: the line being read, where a reader knows it
  FileType Type = FileType::Other; ///< NotAFile: what the path names
  SystemError Error{};             ///< the system's error, where it gave one

  bool operator==(const IoFailure&) const = default;
};

/// The kind's name in machine-readable reports ("not-a-file").
std::string_view KindName(IoFailureKind kind);

/// Throws an IoFailure of `kind` about `file`.
[[noreturn]] void RaiseIoFailure(IoFailureKind kind, std::string file, SystemError error = {});

} // namespace qf

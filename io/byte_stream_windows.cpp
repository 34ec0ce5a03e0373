// FileSource and FileSink on Windows: HANDLEs opened by CreateFileW, so
// that every character of a name reaches the file system (the ANSI
// functions would lose those the ANSI code page lacks).

#include "io/byte_stream.h"
#include "io/paths.h"

#include <algorithm>
#include <utility>
#include <windows.h>

namespace qf {
namespace {

HANDLE Handle(std::intptr_t file) {
  return reinterpret_cast<HANDLE>(file);
}

std::intptr_t Held(HANDLE handle) {
  return reinterpret_cast<std::intptr_t>(handle);
}

/// At most this much per ReadFile or WriteFile, whose counts are 32 bits.
constexpr std::size_t kMostPerCall = 1u << 30;

/// What an opened file of GetFileType `type` is, where it is no file on a
/// disk.
FileType TypeOf(DWORD type) {
  if (type == FILE_TYPE_CHAR)
    return FileType::CharacterDevice;
  if (type == FILE_TYPE_PIPE)
    return FileType::Pipe;
  return FileType::Other;
}

[[noreturn]] void RaiseNotAFile(HANDLE handle, const std::string& name, FileType type) {
  ::CloseHandle(handle);
  Raise(IoFailure{IoFailureKind::NotAFile, name, 0, type, {}});
}

[[noreturn]] void RaiseLastError(IoFailureKind kind, const std::string& name) {
  RaiseIoFailure(kind, name, LastSystemError());
}

/// The facts of an opened file on a disk.
FileFacts FactsOf(const BY_HANDLE_FILE_INFORMATION& info) {
  FileFacts facts;
  facts.Identity = {info.dwVolumeSerialNumber,
                    (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
  facts.Mode = info.dwFileAttributes;
  facts.ReadOnly = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
  return facts;
}

} // namespace

FileSource::FileSource(const std::filesystem::path& path, Accept accept) : name_(PathText(path)) {
  // FILE_FLAG_BACKUP_SEMANTICS opens a folder too, so that it is named as
  // one. Opening a device (CON, NUL, COM1) or a pipe's client end never
  // waits; what it is is asked of the opened handle, as on POSIX, so that
  // no name can slip between a look and the open. Others may go on reading,
  // writing and renaming the file meanwhile, as on POSIX.
  const HANDLE handle = ::CreateFileW(
      path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE)
    RaiseLastError(IoFailureKind::Open, name_);
  const DWORD type = ::GetFileType(handle);
  BY_HANDLE_FILE_INFORMATION info{};
  if (type == FILE_TYPE_DISK && ::GetFileInformationByHandle(handle, &info) != 0 &&
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    RaiseNotAFile(handle, name_, FileType::Folder);
  if (accept == Accept::RegularFile && type != FILE_TYPE_DISK)
    RaiseNotAFile(handle, name_, TypeOf(type));
  file_ = Held(handle);
  if (type == FILE_TYPE_DISK)
    facts_ = FactsOf(info);
}

FileSource::FileSource(std::intptr_t file, bool owned, std::string name)
    : file_(file), owned_(owned), name_(std::move(name)) {
  LearnFacts();
}

void FileSource::LearnFacts() {
  BY_HANDLE_FILE_INFORMATION info{};
  if (::GetFileType(Handle(file_)) == FILE_TYPE_DISK &&
      ::GetFileInformationByHandle(Handle(file_), &info) != 0)
    facts_ = FactsOf(info);
}

FileSource FileSource::StandardInput() {
  return FileSource(Held(::GetStdHandle(STD_INPUT_HANDLE)), false, "standard input");
}

FileSource::FileSource(FileSource&& other) noexcept
    : file_(std::exchange(other.file_, -1)), owned_(other.owned_), name_(std::move(other.name_)),
      facts_(other.facts_) {}

FileSource::~FileSource() {
  if (owned_ && file_ != -1)
    ::CloseHandle(Handle(file_));
}

std::size_t FileSource::Read(char* buffer, std::size_t size) {
  DWORD count = 0;
  if (::ReadFile(Handle(file_), buffer, static_cast<DWORD>(std::min(size, kMostPerCall)), &count,
                 nullptr) != 0)
    return count;
  // The writing end of a pipe closed: its end, as a POSIX read returns 0.
  if (::GetLastError() == ERROR_BROKEN_PIPE)
    return 0;
  RaiseLastError(IoFailureKind::Read, name_);
}

FileSink::FileSink(const std::filesystem::path& path) : name_(PathText(path)) {
  // CREATE_NEW fails when anything stands at the path, a link too, which
  // FILE_FLAG_OPEN_REPARSE_POINT keeps from being followed.
  const HANDLE handle =
      ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE)
    RaiseLastError(IoFailureKind::Create, name_);
  file_ = Held(handle);
}

FileSink::FileSink(FileSink&& other) noexcept
    : file_(std::exchange(other.file_, -1)), name_(std::move(other.name_)) {}

FileSink::~FileSink() {
  if (file_ != -1)
    ::CloseHandle(Handle(file_));
}

void FileSink::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD count = 0;
    if (::WriteFile(Handle(file_), bytes.data(),
                    static_cast<DWORD>(std::min(bytes.size(), kMostPerCall)), &count, nullptr) == 0)
      RaiseLastError(IoFailureKind::Write, name_);
    bytes.remove_prefix(count);
  }
}

void FileSink::Sync() {
  if (::FlushFileBuffers(Handle(file_)) == 0)
    RaiseLastError(IoFailureKind::Flush, name_);
}

void FileSink::SetMode(unsigned mode) {
  FILE_BASIC_INFO info{}; // times of 0: left as they are
  info.FileAttributes = mode;
  if (::SetFileInformationByHandle(Handle(file_), FileBasicInfo, &info, sizeof info) == 0)
    RaiseLastError(IoFailureKind::Permissions, name_);
}

void FileSink::SetOwner(const FileFacts&) {
  // A new file takes the folder's permissions; Windows has no owner to keep.
}

void FileSink::Close() {
  if (file_ == -1)
    return;
  if (::CloseHandle(Handle(std::exchange(file_, -1))) == 0)
    RaiseLastError(IoFailureKind::Close, name_);
}

} // namespace qf

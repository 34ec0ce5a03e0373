// The file system on Windows: the wide-character functions, with paths
// made by io/paths.h.

#include "io/file_system.h"
#include "io/paths.h"
#include "io/utf.h"

#include <algorithm>
#include <cwchar>
#include <optional>
#include <windows.h>

namespace qf {
namespace {

namespace fs = std::filesystem;

/// The attributes a new file lacks that a rewrite carries over from its
/// source (a new file is already "normal" and "archive").
constexpr DWORD kCarriedAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

/// A temporary file of this process's own.
class WindowsWritableFile final : public WritableFile {
public:
  explicit WindowsWritableFile(FileSink sink) : sink_(std::move(sink)) {}
  void Write(std::string_view bytes) override { sink_.Write(bytes); }
  void Sync() override { sink_.Sync(); }
  void Close() override { sink_.Close(); }

private:
  FileSink sink_;
};

/// An open handle to whatever `path` names (a link followed), for questions
/// about it; invalid when it cannot be opened.
class Probe {
public:
  explicit Probe(const fs::path& path)
      : handle_(::CreateFileW(path.c_str(), 0,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)) {}
  ~Probe() {
    if (handle_ != INVALID_HANDLE_VALUE)
      ::CloseHandle(handle_);
  }
  Probe(const Probe&) = delete;
  Probe& operator=(const Probe&) = delete;

  HANDLE Get() const { return handle_; }
  bool Open() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
  HANDLE handle_;
};

/// A scratch file: deleted by Windows when its handle closes.
class WindowsScratchFile final : public ScratchFile {
public:
  WindowsScratchFile() {
    std::wstring folder(MAX_PATH + 1, L'\0');
    folder.resize(::GetTempPathW(static_cast<DWORD>(folder.size()), folder.data()));
    std::wstring name(MAX_PATH + 1, L'\0');
    if (folder.empty() || ::GetTempFileNameW(folder.c_str(), L"qf", 0, name.data()) == 0)
      RaiseIoFailure(IoFailureKind::Create, "a scratch file", LastSystemError());
    name.resize(std::wcslen(name.c_str()));
    // GetTempFileName made the file; it is opened again to go with the handle.
    handle_ = ::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) {
      const SystemError error = LastSystemError();
      ::DeleteFileW(name.c_str());
      RaiseIoFailure(IoFailureKind::Create, PathText(fs::path(name)), error);
    }
  }
  ~WindowsScratchFile() override { ::CloseHandle(handle_); }
  WindowsScratchFile(const WindowsScratchFile&) = delete;
  WindowsScratchFile& operator=(const WindowsScratchFile&) = delete;

  void Write(std::string_view bytes) override {
    while (!bytes.empty()) {
      OVERLAPPED at{};
      at.Offset = static_cast<DWORD>(written_);
      at.OffsetHigh = static_cast<DWORD>(written_ >> 32);
      DWORD count = 0;
      const auto part = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
      if (::WriteFile(handle_, bytes.data(), part, &count, &at) == 0)
        RaiseIoFailure(IoFailureKind::Write, "a scratch file", LastSystemError());
      written_ += count;
      bytes.remove_prefix(count);
    }
  }

  std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t size) override {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD count = 0;
    const auto part = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    if (::ReadFile(handle_, buffer, part, &count, &at) == 0) {
      if (::GetLastError() == ERROR_HANDLE_EOF)
        return 0;
      RaiseIoFailure(IoFailureKind::Read, "a scratch file", LastSystemError());
    }
    return count;
  }

private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  std::uint64_t written_ = 0;
};

/// The identity of the file a probe holds; nothing when it holds none.
std::optional<FileIdentity> IdentityOf(const Probe& probe) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!probe.Open() || ::GetFileInformationByHandle(probe.Get(), &info) == 0)
    return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber,
                      (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

/// Clears `path` for a file of this process's own: what stands there is
/// deleted (a link itself, never its target); a folder is left and
/// refused.
void ClearTemporaryPath(const fs::path& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    return;
  const bool link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && !link)
    RaiseIoFailure(IoFailureKind::TemporaryIsFolder, PathText(path));
  if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
    ::SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  const BOOL removed = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0
                           ? ::RemoveDirectoryW(path.c_str()) // a link to a folder
                           : ::DeleteFileW(path.c_str());
  if (removed == 0 && ::GetLastError() != ERROR_FILE_NOT_FOUND)
    RaiseIoFailure(IoFailureKind::Create, PathText(path), LastSystemError());
}

/// The final path of an opened file without the \\?\ that GetFinalPathName
/// puts in front (\\?\UNC\server\share becomes \\server\share).
fs::path FinalPath(HANDLE handle) {
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetFinalPathNameByHandleW(handle, name.data(), static_cast<DWORD>(name.size()),
                                    FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0)
      return {};
    if (length < name.size()) {
      name.resize(length);
      break;
    }
    name.resize(length);
  }
  if (name.rfind(L"\\\\?\\UNC\\", 0) == 0)
    return fs::path(L"\\\\" + name.substr(8));
  if (name.rfind(L"\\\\?\\", 0) == 0)
    return fs::path(name.substr(4));
  return fs::path(name);
}

/// A replace that Windows refuses because the file is open is tried again
/// after 1, 2, 4, ... milliseconds, up to this wait (about 2 s in all).
constexpr DWORD kLongestWait = 1024;

class WindowsFileSystem final : public FileSystem {
public:
  std::unique_ptr<OpenedFile> OpenForReading(const fs::path& path) override {
    return std::make_unique<FileSource>(path);
  }

  /// The source's hidden, system and not-indexed attributes go over to the
  /// new file (a new file is already "normal" and "archive").
  std::unique_ptr<WritableFile> CreateTemporary(const fs::path& path,
                                                const FileFacts& like) override {
    ClearTemporaryPath(path);
    std::optional<FileSink> sink(std::in_place, path);
    try {
      if ((like.Mode & kCarriedAttributes) != 0)
        sink->SetMode(like.Mode & (kCarriedAttributes | FILE_ATTRIBUTE_ARCHIVE));
    } catch (...) {
      sink.reset(); // closed, then deleted: the file just made
      ::DeleteFileW(path.c_str());
      throw;
    }
    return std::make_unique<WindowsWritableFile>(std::move(*sink));
  }

  /// The rewrite was flushed (FlushFileBuffers) and closed before: the
  /// rename replaces the source in one step, and MOVEFILE_WRITE_THROUGH
  /// returns only once it is on the disk. A plain rename (or MoveFileEx
  /// without MOVEFILE_REPLACE_EXISTING) fails when the source exists.
  ///
  /// Windows refuses to replace a file while anyone holds it open, even
  /// only to ask what it is: the run's own look at the next file
  /// (Identity), a virus scanner, the search indexer. Such a refusal is
  /// tried again for a while before it counts.
  void Replace(const fs::path& from, const fs::path& to, const FileIdentity& replaced) override {
    if (IdentityOf(Probe(to)) != replaced)
      RaiseIoFailure(IoFailureKind::Changed, PathText(to));
    DWORD error = ERROR_SUCCESS;
    for (DWORD wait = 1; wait <= kLongestWait; wait *= 2) {
      if (::MoveFileExW(from.c_str(), to.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0)
        return;
      error = ::GetLastError();
      if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION &&
          error != ERROR_LOCK_VIOLATION)
        break;
      ::Sleep(wait);
    }
    RaiseIoFailure(IoFailureKind::Replace, PathText(to), {static_cast<int>(error)});
  }

  void Remove(const fs::path& path) noexcept override { ::DeleteFileW(path.c_str()); }

  bool Exists(const fs::path& path) override {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  bool IsFolder(const fs::path& path) override {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
  }

  fs::path RealPath(const fs::path& path, const OpenedFile& opened) override {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
      return {};
    const Probe probe(path);
    if (IdentityOf(probe) != opened.Facts().Identity)
      return {};
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
      return path;
    return FinalPath(probe.Get());
  }

  std::optional<FileIdentity> Identity(const fs::path& path) override {
    return IdentityOf(Probe(path));
  }

  std::unique_ptr<ScratchFile> CreateScratch() override {
    return std::make_unique<WindowsScratchFile>();
  }

  std::vector<std::string> List(const fs::path& folder) override {
    std::vector<std::string> names;
    const fs::path pattern = (folder.empty() ? fs::path(L".") : folder) / L"*";
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
      return names;
    do {
      const std::wstring name = found.cFileName;
      if (name != L"." && name != L"..")
        names.push_back(PathText(fs::path(name)));
    } while (::FindNextFileW(search, &found) != 0);
    ::FindClose(search);
    return names;
  }
};

} // namespace

FileSystem& RealFileSystem() {
  static WindowsFileSystem instance;
  return instance;
}

} // namespace qf

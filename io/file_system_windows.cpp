// The file system on Windows: the wide-character functions, with paths
// made by io/paths.h.

#include "io/file_system.h"
#include "io/paths.h"
#include "io/utf.h"

#include <windows.h>

namespace qf {
namespace {

namespace fs = std::filesystem;

/// The attributes a new file lacks that a rewrite carries over from its
/// source (a new file is already "normal" and "archive").
constexpr DWORD kCarriedAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

/// A file created for writing, with the attributes of another.
class WindowsWritableFile final : public WritableFile {
public:
  WindowsWritableFile(const fs::path& path, DWORD attributes) : sink_(path) {
    if ((attributes & kCarriedAttributes) != 0)
      sink_.SetMode(attributes & (kCarriedAttributes | FILE_ATTRIBUTE_ARCHIVE));
  }
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
  std::unique_ptr<ByteSource> OpenForReading(const fs::path& path) override {
    return std::make_unique<FileSource>(path);
  }

  /// A read-only source is refused here, before anything is written: the
  /// rename over it would fail at the end (MoveFileEx does not replace a
  /// read-only file), and forcing it would undo what its owner asked for.
  std::unique_ptr<WritableFile> Create(const fs::path& path,
                                       const fs::path& permissionsOf) override {
    const DWORD attributes = ::GetFileAttributesW(permissionsOf.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
      return std::make_unique<WindowsWritableFile>(path, 0);
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
      RaiseIoFailure(IoFailureKind::ReadOnly, PathText(permissionsOf));
    return std::make_unique<WindowsWritableFile>(path, attributes);
  }

  /// The rewrite was flushed (FlushFileBuffers) and closed before: the
  /// rename replaces the source in one step, and MOVEFILE_WRITE_THROUGH
  /// returns only once it is on the disk. A plain rename (or MoveFileEx
  /// without MOVEFILE_REPLACE_EXISTING) fails when the source exists.
  ///
  /// Windows refuses to replace a file while anyone holds it open, even
  /// only to ask what it is: the run's own look at the next file
  /// (SameFile), a virus scanner, the search indexer. Such a refusal is
  /// tried again for a while before it counts.
  void Replace(const fs::path& from, const fs::path& to) override {
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

  fs::path Target(const fs::path& path) override {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
      return path;
    const Probe target(path);
    fs::path final = target.Open() ? FinalPath(target.Get()) : fs::path();
    return final.empty() ? path : final;
  }

  /// The same volume and the same file number (a file system that is not
  /// case-sensitive finds one file under names that differ in case).
  bool SameFile(const fs::path& a, const fs::path& b) override {
    const Probe first(a);
    const Probe second(b);
    BY_HANDLE_FILE_INFORMATION one{};
    BY_HANDLE_FILE_INFORMATION two{};
    return first.Open() && second.Open() && ::GetFileInformationByHandle(first.Get(), &one) &&
           ::GetFileInformationByHandle(second.Get(), &two) &&
           one.dwVolumeSerialNumber == two.dwVolumeSerialNumber &&
           one.nFileIndexHigh == two.nFileIndexHigh && one.nFileIndexLow == two.nFileIndexLow;
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

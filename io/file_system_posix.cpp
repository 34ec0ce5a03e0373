// The file system on POSIX.

#include "io/file_system.h"
#include "io/paths.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qf {
namespace {

namespace fs = std::filesystem;

FileIdentity IdentityOf(const struct stat& info) {
  return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

/// A temporary file of this process's own.
class PosixWritableFile final : public WritableFile {
public:
  explicit PosixWritableFile(FileSink sink) : sink_(std::move(sink)) {}
  void Write(std::string_view bytes) override { sink_.Write(bytes); }
  void Sync() override { sink_.Sync(); }
  void Close() override { sink_.Close(); }

private:
  FileSink sink_;
};

/// A scratch file: created, then unlinked at once, so that only its
/// descriptor reaches it.
class PosixScratchFile final : public ScratchFile {
public:
  PosixScratchFile() {
    const char* folder = std::getenv("TMPDIR");
    std::string name = std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") +
                       "/quillformer-scratch.XXXXXX";
    fd_ = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd_ < 0)
      RaiseIoFailure(IoFailureKind::Create, name, LastSystemError());
    ::unlink(name.c_str());
  }
  ~PosixScratchFile() override { ::close(fd_); }
  PosixScratchFile(const PosixScratchFile&) = delete;
  PosixScratchFile& operator=(const PosixScratchFile&) = delete;

  void Write(std::string_view bytes) override {
    while (!bytes.empty()) {
      const ssize_t count = ::write(fd_, bytes.data(), bytes.size());
      if (count < 0 && errno == EINTR)
        continue;
      if (count < 0)
        RaiseIoFailure(IoFailureKind::Write, "a scratch file", LastSystemError());
      bytes.remove_prefix(static_cast<std::size_t>(count));
    }
  }

  std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t size) override {
    for (;;) {
      const ssize_t count = ::pread(fd_, buffer, size, static_cast<off_t>(offset));
      if (count >= 0)
        return static_cast<std::size_t>(count);
      if (errno != EINTR)
        RaiseIoFailure(IoFailureKind::Read, "a scratch file", LastSystemError());
    }
  }

private:
  int fd_ = -1;
};

/// Makes a rename durable: the folder's entry is on the disk too.
void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

/// Clears `path` for a file of this process's own: what stands there is
/// unlinked (a link itself, never its target); a folder is left and
/// refused.
void ClearTemporaryPath(const fs::path& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0)
    return; // nothing there (or nothing this process may see: the create then says so)
  if (S_ISDIR(info.st_mode))
    RaiseIoFailure(IoFailureKind::TemporaryIsFolder, PathText(path));
  if (::unlink(path.c_str()) != 0 && errno != ENOENT)
    RaiseIoFailure(IoFailureKind::Create, PathText(path), LastSystemError());
}

class PosixFileSystem final : public FileSystem {
public:
  std::unique_ptr<OpenedFile> OpenForReading(const fs::path& path) override {
    return std::make_unique<FileSource>(path);
  }

  std::unique_ptr<WritableFile> CreateTemporary(const fs::path& path,
                                                const FileFacts& like) override {
    ClearTemporaryPath(path);
    FileSink sink(path);
    try {
      // The owner first: a change of owner clears the set-user-ID bits.
      sink.SetOwner(like);
      sink.SetMode(like.Mode);
    } catch (...) {
      ::unlink(path.c_str()); // the file just made: its name cannot have moved on
      throw;
    }
    return std::make_unique<PosixWritableFile>(std::move(sink));
  }

  void Replace(const fs::path& from, const fs::path& to, const FileIdentity& replaced) override {
    struct stat info {};
    if (::lstat(to.c_str(), &info) != 0 || IdentityOf(info) != replaced)
      RaiseIoFailure(IoFailureKind::Changed, PathText(to));
    if (::rename(from.c_str(), to.c_str()) != 0)
      RaiseIoFailure(IoFailureKind::Replace, PathText(to), LastSystemError());
    SyncFolder(to.parent_path());
  }

  void Remove(const fs::path& path) noexcept override { ::unlink(path.c_str()); }

  bool Exists(const fs::path& path) override {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
  }

  bool IsFolder(const fs::path& path) override {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
  }

  fs::path RealPath(const fs::path& path, const OpenedFile& opened) override {
    const FileIdentity wanted = opened.Facts().Identity;
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
      return {};
    if (!S_ISLNK(info.st_mode))
      return IdentityOf(info) == wanted ? path : fs::path();
    std::error_code error;
    const fs::path target = fs::canonical(path, error);
    if (error || ::lstat(target.c_str(), &info) != 0 || IdentityOf(info) != wanted)
      return {};
    return target;
  }

  std::optional<FileIdentity> Identity(const fs::path& path) override {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
      return std::nullopt;
    return IdentityOf(info);
  }

  std::unique_ptr<ScratchFile> CreateScratch() override {
    return std::make_unique<PosixScratchFile>();
  }

  std::vector<std::string> List(const fs::path& folder) override {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, error), end;
         !error && it != end; it.increment(error))
      names.push_back(PathText(it->path().filename()));
    return names;
  }
};

} // namespace

FileSystem& RealFileSystem() {
  static PosixFileSystem instance;
  return instance;
}

} // namespace qf

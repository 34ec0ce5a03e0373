// The file system on POSIX.

#include "io/file_system.h"
#include "io/paths.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qf {
namespace {

namespace fs = std::filesystem;

/// A file created for writing, with the permission bits of another.
class PosixWritableFile final : public WritableFile {
public:
  PosixWritableFile(const fs::path& path, const fs::path& permissionsOf) : sink_(path) {
    struct stat info {};
    if (::stat(permissionsOf.c_str(), &info) == 0)
      sink_.SetMode(info.st_mode & 07777);
  }
  void Write(std::string_view bytes) override { sink_.Write(bytes); }
  void Sync() override { sink_.Sync(); }
  void Close() override { sink_.Close(); }

private:
  FileSink sink_;
};

/// Makes a rename durable: the folder's entry is on the disk too.
void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

class PosixFileSystem final : public FileSystem {
public:
  std::unique_ptr<ByteSource> OpenForReading(const fs::path& path) override {
    return std::make_unique<FileSource>(path);
  }

  std::unique_ptr<WritableFile> Create(const fs::path& path,
                                       const fs::path& permissionsOf) override {
    return std::make_unique<PosixWritableFile>(path, permissionsOf);
  }

  void Replace(const fs::path& from, const fs::path& to) override {
    if (::rename(from.c_str(), to.c_str()) != 0)
      RaiseIoFailure(IoFailureKind::Replace, PathText(to), LastSystemError());
    SyncFolder(to.parent_path());
  }

  void Remove(const fs::path& path) noexcept override {
    std::error_code ignored;
    fs::remove(path, ignored);
  }

  bool Exists(const fs::path& path) override {
    std::error_code error;
    return fs::symlink_status(path, error).type() != fs::file_type::not_found && !error;
  }

  fs::path Target(const fs::path& path) override {
    std::error_code error;
    if (!fs::is_symlink(path, error))
      return path;
    fs::path target = fs::canonical(path, error);
    return error ? path : target;
  }

  bool SameFile(const fs::path& a, const fs::path& b) override {
    std::error_code error;
    return fs::equivalent(a, b, error) && !error;
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

// FileSource and FileSink on POSIX: file descriptors.

#include "io/byte_stream.h"
#include "io/paths.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace qf {
namespace {

/// What a file of `mode` is.
FileType TypeOf(mode_t mode) {
  if (S_ISREG(mode))
    return FileType::Regular;
  if (S_ISDIR(mode))
    return FileType::Folder;
  if (S_ISFIFO(mode))
    return FileType::Fifo;
  if (S_ISSOCK(mode))
    return FileType::Socket;
  if (S_ISCHR(mode))
    return FileType::CharacterDevice;
  if (S_ISBLK(mode))
    return FileType::BlockDevice;
  return FileType::Other;
}

[[noreturn]] void RaiseNotAFile(const std::string& name, mode_t mode) {
  Raise(IoFailure{IoFailureKind::NotAFile, name, 0, TypeOf(mode), {}});
}

[[noreturn]] void RaiseLastError(IoFailureKind kind, const std::string& name) {
  RaiseIoFailure(kind, name, LastSystemError());
}

int Descriptor(std::intptr_t file) {
  return static_cast<int>(file);
}

/// The facts of a file from its status.
FileFacts FactsOf(const struct stat& info) {
  FileFacts facts;
  facts.Identity = {static_cast<std::uint64_t>(info.st_dev),
                    static_cast<std::uint64_t>(info.st_ino)};
  facts.Mode = info.st_mode & 07777;
  facts.Owner = info.st_uid;
  facts.Group = info.st_gid;
  facts.ReadOnly = (info.st_mode & S_IWUSR) == 0;
  // A new file of this process belongs to it, and only the superuser may
  // give one away. (Whether its group can be kept is told by trying:
  // FileSink::SetOwner.)
  facts.Foreign = ::geteuid() != 0 && info.st_uid != ::geteuid();
  return facts;
}

} // namespace

FileSource::FileSource(const std::filesystem::path& path, Accept accept) : name_(PathText(path)) {
  const bool regular = accept == Accept::RegularFile;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | (regular ? O_NONBLOCK : 0));
  file_ = fd;
  if (fd < 0) {
    const int error = errno;
    struct stat info {};
    // A socket cannot be opened at all; say what it is rather than ENXIO.
    if (error == ENXIO && ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
      RaiseNotAFile(name_, info.st_mode);
    RaiseIoFailure(IoFailureKind::Open, name_, {error});
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    const int error = errno;
    ::close(fd);
    file_ = -1;
    RaiseIoFailure(IoFailureKind::Open, name_, {error});
  }
  if (S_ISDIR(info.st_mode) || (regular && !S_ISREG(info.st_mode))) {
    ::close(fd);
    file_ = -1;
    RaiseNotAFile(name_, info.st_mode);
  }
  if (regular)
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  facts_ = FactsOf(info);
}

FileSource::FileSource(std::intptr_t file, bool owned, std::string name)
    : file_(file), owned_(owned), name_(std::move(name)) {
  LearnFacts();
}

void FileSource::LearnFacts() {
  struct stat info {};
  if (::fstat(Descriptor(file_), &info) == 0)
    facts_ = FactsOf(info);
}

FileSource FileSource::StandardInput() {
  return FileSource(STDIN_FILENO, false, "standard input");
}

FileSource::FileSource(FileSource&& other) noexcept
    : file_(std::exchange(other.file_, -1)), owned_(other.owned_), name_(std::move(other.name_)),
      facts_(other.facts_) {}

FileSource::~FileSource() {
  if (owned_ && file_ >= 0)
    ::close(Descriptor(file_));
}

std::size_t FileSource::Read(char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t count = ::read(Descriptor(file_), buffer, size);
    if (count >= 0)
      return static_cast<std::size_t>(count);
    if (errno != EINTR)
      RaiseLastError(IoFailureKind::Read, name_);
  }
}

FileSink::FileSink(const std::filesystem::path& path) : name_(PathText(path)) {
  // O_EXCL with O_NOFOLLOW: whatever stands at the path, a dangling link
  // too, makes this fail; nothing is followed, emptied or taken over.
  file_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (file_ < 0)
    RaiseLastError(IoFailureKind::Create, name_);
}

FileSink::FileSink(FileSink&& other) noexcept
    : file_(std::exchange(other.file_, -1)), name_(std::move(other.name_)) {}

FileSink::~FileSink() {
  if (file_ >= 0)
    ::close(Descriptor(file_));
}

void FileSink::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = ::write(Descriptor(file_), bytes.data(), bytes.size());
    if (count < 0) {
      if (errno == EINTR)
        continue;
      RaiseLastError(IoFailureKind::Write, name_);
    }
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
}

void FileSink::Sync() {
  if (::fsync(Descriptor(file_)) != 0)
    RaiseLastError(IoFailureKind::Flush, name_);
}

void FileSink::SetMode(unsigned mode) {
  if (::fchmod(Descriptor(file_), static_cast<mode_t>(mode)) != 0)
    RaiseLastError(IoFailureKind::Permissions, name_);
}

void FileSink::SetOwner(const FileFacts& facts) {
  struct stat info {};
  if (::fstat(Descriptor(file_), &info) != 0)
    RaiseLastError(IoFailureKind::Create, name_);
  if (info.st_uid == facts.Owner && info.st_gid == facts.Group)
    return;
  if (facts.Foreign || ::fchown(Descriptor(file_), facts.Owner, facts.Group) != 0)
    RaiseIoFailure(IoFailureKind::Foreign, name_,
                   facts.Foreign ? SystemError{} : LastSystemError());
}

void FileSink::Close() {
  if (file_ < 0)
    return;
  const int fd = Descriptor(std::exchange(file_, -1));
  if (::close(fd) != 0)
    RaiseLastError(IoFailureKind::Close, name_);
}

} // namespace qf

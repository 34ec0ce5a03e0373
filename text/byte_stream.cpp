#include "text/byte_stream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <ostream>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace qf {

std::size_t MemorySource::Read(char* buffer, std::size_t size) {
  const std::size_t count = std::min(size, rest_.size());
  std::memcpy(buffer, rest_.data(), count);
  rest_.remove_prefix(count);
  return count;
}

void ComparingSink::Write(std::string_view bytes) {
  while (same_ && !bytes.empty()) {
    buffer_.resize(std::min<std::size_t>(bytes.size(), 1 << 16));
    const std::size_t count = original_.Read(buffer_.data(), buffer_.size());
    same_ = count != 0 && std::string_view(buffer_.data(), count) == bytes.substr(0, count);
    bytes.remove_prefix(std::min(count, bytes.size()));
  }
}

bool ComparingSink::Same() {
  char byte = 0;
  return same_ && original_.Read(&byte, 1) == 0;
}

void OstreamSink::Write(std::string_view bytes) {
  out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out_)
    RaiseFailure(FailureKind::Write, name_);
}

void OstreamSink::Flush() {
  out_.flush();
  if (!out_)
    RaiseFailure(FailureKind::Write, name_);
}

namespace {

/// What a file of `mode` is, in words, where it is no regular file.
const char* WhatItIs(mode_t mode) {
  if (S_ISDIR(mode))
    return "a directory";
  if (S_ISFIFO(mode))
    return "a FIFO";
  if (S_ISSOCK(mode))
    return "a socket";
  if (S_ISCHR(mode))
    return "a character device";
  if (S_ISBLK(mode))
    return "a block device";
  return "a special file";
}

[[noreturn]] void RaiseNotAFile(const std::string& name, mode_t mode) {
  Failure failure;
  failure.Kind = FailureKind::NotAFile;
  failure.File = name;
  failure.Subject = WhatItIs(mode);
  throw FailureError(std::move(failure));
}

} // namespace

FileSource::FileSource(const std::filesystem::path& path, Accept accept) : name_(path.string()) {
  const bool regular = accept == Accept::RegularFile;
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | (regular ? O_NONBLOCK : 0));
  if (fd_ < 0) {
    const int error = errno;
    struct stat info {};
    // A socket cannot be opened at all; say what it is rather than ENXIO.
    if (error == ENXIO && ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
      RaiseNotAFile(name_, info.st_mode);
    RaiseFailure(FailureKind::Open, name_, SystemErrorText(error));
  }
  struct stat info {};
  if (::fstat(fd_, &info) != 0) {
    const int error = errno;
    ::close(std::exchange(fd_, -1));
    RaiseFailure(FailureKind::Open, name_, SystemErrorText(error));
  }
  if (S_ISDIR(info.st_mode) || (regular && !S_ISREG(info.st_mode))) {
    ::close(std::exchange(fd_, -1));
    RaiseNotAFile(name_, info.st_mode);
  }
  if (regular)
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
}

FileSource FileSource::Borrow(int fd, std::string name) {
  return FileSource(fd, false, std::move(name));
}

FileSource::FileSource(FileSource&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), owned_(other.owned_), name_(std::move(other.name_)) {}

FileSource::~FileSource() {
  if (owned_ && fd_ >= 0)
    ::close(fd_);
}

std::size_t FileSource::Read(char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t count = ::read(fd_, buffer, size);
    if (count >= 0)
      return static_cast<std::size_t>(count);
    if (errno != EINTR)
      RaiseFailure(FailureKind::Read, name_, SystemErrorText(errno));
  }
}

FileSink::FileSink(const std::filesystem::path& path) : name_(path.string()) {
  fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd_ < 0)
    RaiseFailure(FailureKind::Create, name_, SystemErrorText(errno));
}

FileSink::FileSink(FileSink&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), name_(std::move(other.name_)) {}

FileSink::~FileSink() {
  if (fd_ >= 0)
    ::close(fd_);
}

void FileSink::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = ::write(fd_, bytes.data(), bytes.size());
    if (count < 0) {
      if (errno == EINTR)
        continue;
      RaiseFailure(FailureKind::Write, name_, SystemErrorText(errno));
    }
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
}

void FileSink::Sync() {
  if (::fsync(fd_) != 0)
    RaiseFailure(FailureKind::Flush, name_, SystemErrorText(errno));
}

void FileSink::SetMode(unsigned mode) {
  if (::fchmod(fd_, static_cast<mode_t>(mode)) != 0)
    RaiseFailure(FailureKind::Permissions, name_, SystemErrorText(errno));
}

void FileSink::Close() {
  if (fd_ < 0)
    return;
  const int fd = std::exchange(fd_, -1);
  if (::close(fd) != 0)
    RaiseFailure(FailureKind::Close, name_, SystemErrorText(errno));
}

} // namespace qf

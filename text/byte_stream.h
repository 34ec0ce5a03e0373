#pragma once

#include "text/source_error.h"

#include <cstddef>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <string_view>

namespace qf {

/// A read failure of a byte source; the reader adds file and line.
class ReadFault : public LineFault {
public:
  using LineFault::LineFault;
};

/// Where bytes are read from.
class ByteSource {
public:
  virtual ~ByteSource() = default;
  /// Reads up to `size` bytes into `buffer`; returns 0 only at the end.
  /// Throws ReadFault when the read fails.
  virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

/// Where bytes are written to.
class ByteSink {
public:
  virtual ~ByteSink() = default;
  /// Writes all of `bytes` or throws SourceError.
  virtual void Write(std::string_view bytes) = 0;
  /// Told by the rewrite pass once the file can no longer turn out to be
  /// already processed: what was written so far is final.
  virtual void CodeStarted() {}
};

/// Reads a string held in memory.
class MemorySource final : public ByteSource {
public:
  explicit MemorySource(std::string_view bytes) : rest_(bytes) {}
  std::size_t Read(char* buffer, std::size_t size) override;

private:
  std::string_view rest_;
};

/// Appends to a string held in memory.
class StringSink final : public ByteSink {
public:
  void Write(std::string_view bytes) override { text_.append(bytes); }
  const std::string& Text() const noexcept { return text_; }

private:
  std::string text_;
};

/// Writes a std::ostream; a failed write is an error naming `name`.
class OstreamSink final : public ByteSink {
public:
  OstreamSink(std::ostream& out, std::string name) : out_(out), name_(std::move(name)) {}
  void Write(std::string_view bytes) override;
  /// Flushes the stream. Throws SourceError when it fails.
  void Flush();

private:
  std::ostream& out_;
  std::string name_;
};

/// Reads an open file descriptor (owned or not).
class FileSource final : public ByteSource {
public:
  /// Opens `path` for reading. Throws SourceError naming the path when it
  /// cannot be opened or is a directory.
  explicit FileSource(const std::filesystem::path& path);
  /// Reads `fd`, which stays open afterwards (standard input).
  static FileSource Borrow(int fd);
  ~FileSource() override;
  FileSource(FileSource&& other) noexcept;
  FileSource& operator=(FileSource&&) = delete;
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  std::size_t Read(char* buffer, std::size_t size) override;

private:
  FileSource(int fd, bool owned) : fd_(fd), owned_(owned) {}
  int fd_ = -1;
  bool owned_ = true;
};

/// Writes a file descriptor (owned or not). Errors name the file.
class FileSink final : public ByteSink {
public:
  /// Creates `path`, or empties it if it exists. Throws SourceError.
  explicit FileSink(const std::filesystem::path& path);
  /// Writes `fd`, which stays open afterwards (standard output); `name`
  /// stands for it in messages.
  static FileSink Borrow(int fd, std::string name);
  ~FileSink() override;
  FileSink(FileSink&& other) noexcept;
  FileSink& operator=(FileSink&&) = delete;
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;

  void Write(std::string_view bytes) override;
  /// Forces what was written to the disk (fsync). Throws SourceError.
  void Sync();
  /// Closes an owned descriptor, reporting a failure. Throws SourceError.
  void Close();
  /// Sets the permission bits (chmod). Throws SourceError.
  void SetMode(unsigned mode);

private:
  FileSink(int fd, bool owned, std::string name) : fd_(fd), owned_(owned), name_(std::move(name)) {}
  int fd_ = -1;
  bool owned_ = true;
  std::string name_;
};

} // namespace qf

#pragma once

#include "io/io_failure.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <string_view>

namespace qf {

/// Where bytes are read from.
class ByteSource {
public:
  virtual ~ByteSource() = default;
  /// Reads up to `size` bytes into `buffer`; returns 0 only at the end.
  /// Raises a Read failure (FailureError) when the read fails.
  virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

/// Where bytes are written to.
class ByteSink {
public:
  virtual ~ByteSink() = default;
  /// Writes all of `bytes`, or raises a Write failure.
  virtual void Write(std::string_view bytes) = 0;
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

/// Throws the bytes away.
class NullSink final : public ByteSink {
public:
  void Write(std::string_view) override {}
};

/// Compares what is written with the bytes of a source, reading both in
/// step, and keeps nothing: whether a rewrite would leave a file as it is.
class ComparingSink final : public ByteSink {
public:
  explicit ComparingSink(ByteSource& original) : original_(original) {}
  void Write(std::string_view bytes) override;
  /// Whether everything written equals the whole source. Reads on to the
  /// source's end.
  bool Same();

private:
  ByteSource& original_;
  std::string buffer_;
  bool same_ = true;
};

/// Writes a std::ostream; a failed write is a Write failure naming `name`.
class OstreamSink final : public ByteSink {
public:
  OstreamSink(std::ostream& out, std::string name) : out_(out), name_(std::move(name)) {}
  void Write(std::string_view bytes) override;
  /// Flushes the stream, or raises a Write failure.
  void Flush();

private:
  std::ostream& out_;
  std::string name_;
};

/// Reads an open file (owned or not). Read failures name the file.
///
/// FileSource and FileSink are the operating system's files:
/// byte_stream_posix.cpp (a file descriptor) or byte_stream_windows.cpp (a
/// HANDLE, opened by the wide-character functions).
class FileSource final : public ByteSource {
public:
  /// What a path may name.
  enum class Accept {
    RegularFile, ///< a regular file (or a link to one), nothing else
    AnyButFolder ///< whatever the user names, a pipe or a device too
  };

  /// Opens `path` for reading. Raises an Open failure naming the path when
  /// it cannot be opened, and a NotAFile failure when it names a folder or,
  /// for RegularFile, anything but a regular file. That check is made on
  /// the opened file (opened without blocking), so a FIFO or a device is
  /// refused before any read could wait or run on without end.
  explicit FileSource(const std::filesystem::path& path, Accept accept = Accept::RegularFile);
  /// Reads the standard input, which stays open afterwards; "standard
  /// input" stands for it in messages.
  static FileSource StandardInput();
  ~FileSource() override;
  FileSource(FileSource&& other) noexcept;
  FileSource& operator=(FileSource&&) = delete;
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  std::size_t Read(char* buffer, std::size_t size) override;

private:
  FileSource(std::intptr_t file, bool owned, std::string name)
      : file_(file), owned_(owned), name_(std::move(name)) {}
  /// The file descriptor or the HANDLE; -1 (no file, on both) once moved.
  std::intptr_t file_ = -1;
  bool owned_ = true;
  std::string name_;
};

/// Writes a file that it creates. Failures name the file.
class FileSink final : public ByteSink {
public:
  /// Creates `path`, or empties it if it exists, or raises a Create failure.
  explicit FileSink(const std::filesystem::path& path);
  ~FileSink() override;
  FileSink(FileSink&& other) noexcept;
  FileSink& operator=(FileSink&&) = delete;
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;

  void Write(std::string_view bytes) override;
  /// Forces what was written to the disk (fsync, FlushFileBuffers), or
  /// raises a Flush failure.
  void Sync();
  /// Closes the file, or raises a Close failure.
  void Close();
  /// Sets the permission bits (POSIX, chmod) or the file attributes
  /// (Windows, FILE_ATTRIBUTE_*), or raises a Permissions failure.
  void SetMode(unsigned mode);

private:
  std::intptr_t file_ = -1; ///< As FileSource's.
  std::string name_;
};

} // namespace qf

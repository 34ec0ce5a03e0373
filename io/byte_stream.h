#pragma once

#include "io/file_facts.h"
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

/// A file opened for reading, and what it is.
class OpenedFile : public ByteSource {
public:
  /// What the opened file is, as the system said when it was opened.
  virtual const FileFacts& Facts() const noexcept = 0;
};

/// Reads an open file (owned or not). Read failures name the file.
///
/// FileSource and FileSink are the operating system's files:
/// byte_stream_posix.cpp (a file descriptor) or byte_stream_windows.cpp (a
/// HANDLE, opened by the wide-character functions).
class FileSource final : public OpenedFile {
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
  const FileFacts& Facts() const noexcept override { return facts_; }

private:
  FileSource(std::intptr_t file, bool owned, std::string name);
  /// Reads the facts of the opened file.
  void LearnFacts();
  /// The file descriptor or the HANDLE; -1 (no file, on both) once moved.
  std::intptr_t file_ = -1;
  bool owned_ = true;
  std::string name_;
  FileFacts facts_;
};

/// Writes a file that it creates anew. Failures name the file.
class FileSink final : public ByteSink {
public:
  /// Creates `path` as a new file that only this process can read or write
  /// so far, or raises a Create failure: also when anything at all stands
  /// at `path` (a file, a link, even one that leads nowhere), which is
  /// never followed or emptied.
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
  /// Sets the permission bits (POSIX, fchmod) or the file attributes
  /// (Windows, FILE_ATTRIBUTE_*) of the new file, or raises a Permissions
  /// failure.
  void SetMode(unsigned mode);
  /// Gives the new file the owner and group of `facts` where it lacks them
  /// (POSIX, fchown; nothing on Windows), or raises a Foreign failure.
  void SetOwner(const FileFacts& facts);

private:
  std::intptr_t file_ = -1; ///< As FileSource's.
  std::string name_;
};

} // namespace qf

#pragma once

#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

namespace qf::cli {

/// The program's arguments (without its name), from the UTF-16 command line
/// (GetCommandLineW, CommandLineToArgvW), in UTF-8: main()'s argv would hold
/// them in the ANSI code page, without the characters it lacks.
std::vector<std::string> CommandLineArguments();

enum class StandardHandle { Output, Error };

/// Writes UTF-8 to standard output or standard error. A file or a pipe gets
/// the bytes as they are (no CR is added before LF: the report's bytes are
/// those of the POSIX build). A console gets the text as UTF-16
/// (WriteConsoleW), so Chinese reads right whatever the console's code page;
/// a character cut between two writes waits for its last bytes.
class ConsoleBuffer final : public std::streambuf {
public:
  explicit ConsoleBuffer(StandardHandle which);
  ~ConsoleBuffer() override;
  ConsoleBuffer(const ConsoleBuffer&) = delete;
  ConsoleBuffer& operator=(const ConsoleBuffer&) = delete;

protected:
  int_type overflow(int_type byte) override;
  std::streamsize xsputn(const char* bytes, std::streamsize count) override;
  int sync() override;

private:
  /// Writes what is pending; on a console, all but a character's start
  /// that waits for its last bytes, unless `all`.
  bool Flush(bool all = false);

  void* handle_;
  bool console_;
  std::string pending_;
};

/// An std::ostream over a ConsoleBuffer. A failed write sets badbit.
class ConsoleStream final : public std::ostream {
public:
  explicit ConsoleStream(StandardHandle which) : std::ostream(nullptr), buffer_(which) {
    rdbuf(&buffer_);
  }

private:
  ConsoleBuffer buffer_;
};

} // namespace qf::cli

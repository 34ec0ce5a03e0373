#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace qf {

/// A failure while handling one file. It names the file, the line where it
/// applies (0 when it concerns the whole file) and the cause, and what()
/// reads "FILE:LINE: CAUSE" (or "FILE: CAUSE"), like a compiler's message.
class SourceError : public std::runtime_error {
public:
  SourceError(std::string file, std::uint64_t line, std::string cause);

  const std::string& File() const noexcept { return file_; }
  std::uint64_t Line() const noexcept { return line_; }
  const std::string& Cause() const noexcept { return cause_; }

private:
  std::string file_;
  std::uint64_t line_;
  std::string cause_;
};

/// A fault found inside one line (a byte that does not decode, a level that
/// leaves the 16-bit range). It carries only the cause; whoever reads the
/// file knows the file and the line and turns it into a SourceError.
class LineFault : public std::runtime_error {
public:
  explicit LineFault(const std::string& cause) : std::runtime_error(cause) {}
};

/// The text of errno `error` ("No such file or directory").
std::string SystemErrorText(int error);

} // namespace qf

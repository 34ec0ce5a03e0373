#include "cli/file_diff.h"

#include "cli/terminal_text.h"

#include <ostream>
#include <string>

namespace qf::cli {
namespace {

/// The letter of C's escape for `byte` (n for a line feed) where git's
/// quoting of names uses one; 0 for every other byte.
char EscapeLetter(char byte) {
  switch (byte) {
  case '\a':
    return 'a';
  case '\b':
    return 'b';
  case '\t':
    return 't';
  case '\n':
    return 'n';
  case '\v':
    return 'v';
  case '\f':
    return 'f';
  case '\r':
    return 'r';
  case '"':
    return '"';
  case '\\':
    return '\\';
  default:
    return 0;
  }
}

void AppendOctal(std::string& out, char byte) {
  const auto value = static_cast<unsigned char>(byte);
  out += '\\';
  out += static_cast<char>('0' + (value >> 6));
  out += static_cast<char>('0' + ((value >> 3) & 7));
  out += static_cast<char>('0' + (value & 7));
}

/// A name in the diff's headers ("a/" or "b/" and the path) as git writes
/// it: as it is, unless it holds a control character (see
/// Utf8Character::IsControl), a double quote or a backslash; then in double
/// quotes with C's escapes (\n, \t, \", \\, ...) and every other byte of
/// such a character in octal (\033). Other UTF-8 stays as it is (git's
/// core.quotePath=false). So a name cannot end its header line or start
/// another, and `patch -p1` and `git apply` find the file it names.
std::string HeaderName(std::string_view side, std::string_view label) {
  const std::string name = std::string(side) + std::string(label);
  std::string quoted = "\"";
  bool escaped = false;
  for (std::string_view rest = name; !rest.empty();) {
    const Utf8Character character = FirstCharacter(rest);
    const std::string_view bytes = rest.substr(0, character.Length);
    rest.remove_prefix(character.Length);
    const char letter = character.Length == 1 ? EscapeLetter(bytes.front()) : 0;
    if (letter != 0) {
      quoted += '\\';
      quoted += letter;
    } else if (character.IsControl()) {
      for (const char byte : bytes)
        AppendOctal(quoted, byte);
    } else {
      quoted += bytes;
      continue;
    }
    escaped = true;
  }
  return escaped ? quoted + '"' : name;
}

/// Writes lines to a stream, each in git's colour for what it is (bold
/// headers, cyan hunk headers, red removals, green additions) or without.
class LinePrinter final : public ByteSink {
public:
  LinePrinter(std::ostream& out, bool color) : out_(out), color_(color) {}

  void Write(std::string_view bytes) override {
    if (!color_) {
      out_ << bytes;
      return;
    }
    for (std::size_t end; (end = bytes.find('\n')) != std::string_view::npos;) {
      partial_ += bytes.substr(0, end);
      Line(partial_);
      partial_.clear();
      bytes.remove_prefix(end + 1);
    }
    partial_ += bytes;
  }

  void Line(std::string_view line) {
    const char* color = nullptr;
    if (color_ && !line.empty())
      switch (line.front()) {
      case '@':
        color = "\x1b[36m";
        break;
      case '-':
        color = "\x1b[31m";
        break;
      case '+':
        color = "\x1b[32m";
        break;
      default:
        break;
      }
    if (color != nullptr)
      out_ << color << line << "\x1b[m\n";
    else
      out_ << line << '\n';
  }

  void Meta(const std::string& line) {
    if (color_)
      out_ << "\x1b[1m" << line << "\x1b[m\n";
    else
      out_ << line << '\n';
  }

private:
  std::ostream& out_;
  bool color_;
  std::string partial_;
};

} // namespace

void WriteFileDiff(std::ostream& out, const std::string& label, Spool* hunks, bool color) {
  LinePrinter printer(out, color);
  const std::string before = HeaderName("a/", label);
  const std::string after = HeaderName("b/", label);
  printer.Meta("diff --git " + before + " " + after);
  printer.Meta("--- " + before);
  printer.Meta("+++ " + after);
  if (hunks != nullptr)
    hunks->CopyTo(printer);
}

} // namespace qf::cli

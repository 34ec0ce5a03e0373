#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qf::cli {

/// The first character of a text held as UTF-8: its length in bytes and its
/// code point; or, where the text does not begin with a well-formed UTF-8
/// character, its first byte, with the code point -1.
struct Utf8Character {
  std::size_t Length = 1;
  std::int32_t CodePoint = -1;

  /// Whether a terminal may take it for a command: a C0 control (U+0000 to
  /// U+001F), DEL, a C1 control (U+0080 to U+009F), or bytes that are not
  /// UTF-8 (a terminal of an 8-bit code page takes 0x80 to 0x9F for C1).
  bool IsControl() const { return CodePoint < 0x20 || (CodePoint >= 0x7F && CodePoint <= 0x9F); }
};

/// The first character of `text`, which is not empty.
Utf8Character FirstCharacter(std::string_view text);

/// `text` as the command line writes it to a terminal, whatever it holds:
/// each control character (see Utf8Character::IsControl; tab and line feed
/// too) shown as `\xNN`, two lowercase hex digits of its byte, or of its
/// code point for a C1 control (`\x9b`), and each byte that is not UTF-8 as
/// the byte. Every other byte stays as it is (Chinese text, the backslashes
/// of a Windows path). So a name from a project, a file name or a word of
/// the command line cannot clear the screen, set the window's title, write
/// the clipboard or add a line of its own. Every name and project value
/// that goes to standard output as text, and every message on standard
/// error, goes through it.
std::string TerminalText(std::string_view text);

} // namespace qf::cli

#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

struct UConverter;

namespace qf {

/// The code page name is unknown to ICU or names a code page that the tool
/// cannot work in safely. A usage error.
class CodePageError : public std::invalid_argument {
public:
  using std::invalid_argument::invalid_argument;
};

/// Bytes that do not decode in the code page. what() reads "the bytes 0x81
/// do not decode in code page GBK"; whoever reads the file turns it into a
/// Failure naming the file, the line and the offset.
class DecodeFault : public std::runtime_error {
public:
  DecodeFault(std::string bytes, std::string codePage, std::size_t offset);
  /// The bytes that do not decode, in hexadecimal ("0x81 0x7F").
  const std::string& Bytes() const noexcept { return bytes_; }
  /// The code page's name as the user gave it.
  const std::string& CodePageName() const noexcept { return codePage_; }
  /// Offset of the first undecodable byte within the decoded bytes.
  std::size_t Offset() const noexcept { return offset_; }

private:
  std::string bytes_;
  std::string codePage_;
  std::size_t offset_;
};

/// One code page, converted by ICU, in which source files and project files
/// are read and written.
///
/// Only code pages whose ASCII characters are their own single bytes and in
/// which CR, LF and the space never occur inside a multi-byte character are
/// accepted: the rewrite splits lines and trims spaces on raw bytes and
/// writes the file's own bytes back, so that property must hold.
///
/// A CodePage owns a stateful ICU converter: use one per thread.
class CodePage {
public:
  /// Opens the code page called `name` through ICU's aliases ("CP936",
  /// "GBK", "Big5", "Shift_JIS", "UTF-8", ...). Throws CodePageError when ICU
  /// does not know the name or the code page is not usable (UTF-16,
  /// EBCDIC, ISO-2022, UTF-7, ...).
  explicit CodePage(std::string_view name);
  ~CodePage();
  CodePage(CodePage&&) noexcept;
  CodePage& operator=(CodePage&&) noexcept;
  CodePage(const CodePage&) = delete;
  CodePage& operator=(const CodePage&) = delete;

  /// The name as the user gave it.
  const std::string& Name() const noexcept { return name_; }
  /// ICU's canonical name of the table in use ("windows-936-2000").
  const std::string& TableName() const noexcept { return tableName_; }
  /// The name people know the code page by, as ICU gives it: its Windows
  /// name ("windows-1252"), else its IANA name ("UTF-8"), else TableName().
  std::string CanonicalName() const;

  /// Decodes `bytes` and returns the text, which lives in `buffer` (only
  /// ever grown, so a caller that decodes line after line allocates for
  /// its longest line alone). Throws DecodeFault at the first byte sequence
  /// that does not decode; never substitutes.
  std::u16string_view Decode(std::string_view bytes, std::u16string& buffer);

  /// Appends `text` to `out` in this code page. A character the code page
  /// cannot hold (a surrogate pair or a lone surrogate counting as one) is
  /// written as the single byte "?" and remembered in Substituted().
  void Encode(std::u16string_view text, std::string& out);

  /// True once Encode() has written a "?" in place of a character.
  bool Substituted() const noexcept { return substituted_; }

  /// Whether every ASCII byte is its own character here, so that the text
  /// of a plain-ASCII line is its bytes (true for every ANSI code page).
  bool AsciiIsItself() const noexcept { return allAsciiIdentity_; }

private:
  void Validate();
  bool DecodesToItself(char byte);
  bool EncodesToItself(char16_t ch);
  [[noreturn]] void ThrowDecodeFault(std::string_view bytes, const char* stop);

  std::string name_;
  std::string tableName_;
  UConverter* converter_ = nullptr;
  std::array<bool, 128> asciiIdentity_{};
  bool allAsciiIdentity_ = false;
  bool substituted_ = false;
};

/// The code page used when the user names none: the Chinese Windows code
/// page in which the program's own texts are written.
inline constexpr std::string_view kDefaultCodePage = "CP936";

} // namespace qf

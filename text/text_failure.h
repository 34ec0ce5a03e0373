#pragma once

#include "io/failure_error.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qf {

/// What failed in reading a file's text.
enum class TextFailureKind : std::uint8_t {
  LineTooLong,    ///< a line longer than kMaxLineLength
  Decode,         ///< bytes that do not decode in the code page (Bytes, CodePage, Offset)
  NoCodePage,     ///< no candidate code page both fits a project's text and decodes it: the
                  ///< line that the best fitting one (CodePage) cannot decode (Bytes, Offset)
  MixedCodePages, ///< a file reads in another code page (OtherCodePage) than the rest of its
                  ///< project (CodePage)
  Utf16,          ///< the file is in UTF-16, which no code page of VB6 is
};
inline constexpr std::size_t kTextFailureKinds = 5;

/// One failure in reading a file's text, each particular in a field of its
/// own.
struct TextFailure {
  TextFailureKind Kind = TextFailureKind::Decode;
  std::string File{};
  std::uint64_t Line = 0;      ///< from 1; 0 when it concerns the whole file
  std::uint64_t Offset = 0;    ///< Decode, NoCodePage: the byte offset in the file
  std::string Bytes{};         ///< Decode, NoCodePage: the bytes, in hexadecimal ("0x81 0x7F")
  std::string CodePage{};      ///< the code page read in, or chosen
  std::string OtherCodePage{}; ///< MixedCodePages: the code page the file reads in

  bool operator==(const TextFailure&) const = default;
};

/// The kind's name in machine-readable reports ("decode").
std::string_view KindName(TextFailureKind kind);

} // namespace qf

#pragma once

#include "io/byte_stream.h"
#include "text/code_page.h"
#include "text/line_reader.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qf {

/// Reads a file line by line in a code page: each line's own bytes, its
/// number, its offset in the file and, on request, its decoded text. It is
/// the one place where read and decode faults become failures (IoFailure,
/// TextFailure) naming the file, the line and, for bytes that do not
/// decode, their offset in the file.
///
/// A plain-ASCII line in a code page whose ASCII bytes are their own
/// characters needs no decoding: its bytes are its text, and IsAscii() says
/// so, so that a reader can test it on its bytes.
class DecodedLineReader {
public:
  /// `name` names the file in failures.
  DecodedLineReader(ByteSource& source, CodePage& codePage, std::string name);

  /// Reads the next line; false at the end. Raises a Read failure naming
  /// the line that was being read.
  bool Next();

  /// The line's own bytes, without its line break. Valid until Next().
  std::string_view Bytes() const noexcept { return bytes_; }
  /// The UTF-8 byte-order mark the file began with, or nothing (see
  /// LineReader).
  std::string_view ByteOrderMark() const noexcept { return lines_.ByteOrderMark(); }
  /// The line is plain ASCII and its text is its bytes.
  bool IsAscii() const noexcept { return ascii_; }
  /// The number (from 1) of the line.
  std::uint64_t LineNumber() const noexcept { return lines_.LineNumber(); }
  /// The name that stands for the file in failures.
  const std::string& Name() const noexcept { return name_; }

  /// Decodes `part`, a piece of Bytes(). Valid until the next Decode() or
  /// Next(). Raises a Decode failure naming the line and the file offset of
  /// the first byte that does not decode.
  std::u16string_view Decode(std::string_view part);
  /// Decode(), or nothing when the bytes do not decode.
  std::optional<std::u16string_view> TryDecode(std::string_view part);

private:
  LineReader lines_;
  CodePage& codePage_;
  std::string name_;
  std::string_view bytes_;
  bool ascii_ = false;
  std::u16string buffer_;
};

} // namespace qf

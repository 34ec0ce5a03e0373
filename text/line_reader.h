#pragma once

#include "io/byte_stream.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace qf {

/// The longest line the readers take: far beyond any VB6 source (its editor
/// writes at most 1,023 characters a line), and a bound on the memory that
/// a file of one endless line (a device, a crafted file) can take.
inline constexpr std::size_t kMaxLineLength = std::size_t{64} << 20;

/// Makes room in `line` for `size` bytes in all, at most `most`. A short
/// line grows by doubling; one past 1 MiB takes room for `most` at once, of
/// which only what is written ever takes memory (the pages of a large
/// block are the system's until touched), so a line near the bound never
/// costs a copy of half its size.
inline void MakeRoom(std::string& line, std::size_t size, std::size_t most = kMaxLineLength) {
  if (line.capacity() >= size)
    return;
  constexpr std::size_t kDoublingEnds = std::size_t{1} << 20;
  line.reserve(size > kDoublingEnds ? std::max(size, most)
                                    : std::min(most, std::max(2 * line.capacity(), size)));
}

/// Splits a byte source into lines. A line ends at CR LF, at a lone LF or
/// at a lone CR; the break is not part of the line. A last line without a
/// break is still a line; an empty source has none.
///
/// A UTF-8 byte-order mark at the very start is no part of the first line:
/// ByteOrderMark() holds it, for a writer to put back where it stood. A
/// source that starts as UTF-16 does (a byte-order mark FF FE or FE FF, or
/// an ASCII character and a zero byte) raises a Utf16 failure: its lines
/// cannot be told without decoding it, and no code page of VB6 reads it.
///
/// Memory grows with the longest line only, and a line longer than
/// `maxLine` raises a LineTooLong failure.
class LineReader {
public:
  /// The default buffer stays below the size at which allocators map
  /// memory afresh for each block: a run reads thousands of small files.
  explicit LineReader(ByteSource& source, std::size_t bufferSize = 1 << 16,
                      std::size_t maxLine = kMaxLineLength);

  /// Reads the next line into `line`, which stays valid until the next
  /// call. Returns false at the end of the source. A read failure of
  /// the source goes through.
  bool Next(std::string_view& line);

  /// The number (from 1) of the line last returned.
  std::uint64_t LineNumber() const noexcept { return lineNumber_; }
  /// The byte offset in the source at which the line last returned starts.
  std::uint64_t LineOffset() const noexcept { return lineOffset_; }
  /// The UTF-8 byte-order mark the source began with, or nothing. Known
  /// once Next() has been called.
  std::string_view ByteOrderMark() const noexcept { return mark_; }
  /// Whether every byte of the line last returned is below 0x80.
  bool LineIsAscii() const noexcept { return ascii_; }
  /// Whether the line last returned ended with a line break (false only for
  /// a last line without one).
  bool LineEnded() const noexcept { return ended_; }
  /// How many lines so far did not end in CR LF (a lone LF or CR, or no
  /// break after the last line): none in a file as VB6 writes it. Final once
  /// Next() has returned false.
  std::uint64_t OtherBreaks() const noexcept { return otherBreaks_; }

private:
  bool Refill();
  bool NextLine(std::string_view& line);
  /// Looks at the first line: a byte-order mark, or UTF-16.
  void Start(std::string_view& line);

  ByteSource& source_;
  std::unique_ptr<char[]> buffer_;
  std::size_t capacity_;
  std::size_t maxLine_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  std::uint64_t bufferOffset_ = 0; // source offset of buffer_[0]
  bool atEnd_ = false;
  bool skipLf_ = false; // the last line ended in a CR that ended the buffer
  bool started_ = false;
  std::string_view mark_;
  bool ended_ = true;
  std::uint64_t otherBreaks_ = 0;
  std::string carry_; // a line that spans buffers
  bool carryReturned_ = false;
  std::uint64_t carryOffset_ = 0;
  std::uint64_t carryHigh_ = 0; // the carried line holds a byte of 0x80 or above
  bool ascii_ = true;
  std::uint64_t lineNumber_ = 0;
  std::uint64_t lineOffset_ = 0;
};

} // namespace qf

#include "text/line_reader.h"

#include "text/text_failure.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qf {
namespace {

/// The first CR or LF in [begin, end), or end. Sets `high` to a non-zero
/// value where a byte before it has its high bit set (the line is not
/// plain ASCII). Looks at sixteen (or eight) bytes at a time: most lines are
/// tens of bytes long.
const char* FindLineBreak(const char* begin, const char* end, std::uint64_t& high) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
  constexpr std::uint64_t kHighs = 0x8080808080808080ULL;
  const char* p = begin;
#if defined(__SSE2__)
  const __m128i cr16 = _mm_set1_epi8('\r');
  const __m128i lf16 = _mm_set1_epi8('\n');
  for (; end - p >= 16; p += 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const auto highs = static_cast<unsigned>(_mm_movemask_epi8(chunk));
    const auto found = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, cr16), _mm_cmpeq_epi8(chunk, lf16))));
    if (found != 0) {
      const int at = std::countr_zero(found);
      high |= highs & ((1u << at) - 1);
      return p + at;
    }
    high |= highs;
  }
#endif
  if constexpr (std::endian::native == std::endian::little) {
    for (; end - p >= 8; p += 8) {
      std::uint64_t word;
      std::memcpy(&word, p, sizeof word);
      const std::uint64_t cr = word ^ (kOnes * '\r');
      const std::uint64_t lf = word ^ (kOnes * '\n');
      // The high bit of each zero byte of cr or lf (a CR or an LF); a borrow
      // can only mark bytes above the first true one.
      const std::uint64_t found = (((cr - kOnes) & ~cr) | ((lf - kOnes) & ~lf)) & kHighs;
      if (found != 0) {
        const int at = std::countr_zero(found) / 8;
        high |= word & kHighs & ((std::uint64_t{1} << (8 * at)) - 1);
        return p + at;
      }
      high |= word & kHighs;
    }
  }
  for (; p != end && *p != '\r' && *p != '\n'; ++p)
    high |= static_cast<unsigned char>(*p) & 0x80u;
  return p;
}

} // namespace

LineReader::LineReader(ByteSource& source, std::size_t bufferSize, std::size_t maxLine)
    : source_(source), buffer_(new char[bufferSize]), capacity_(bufferSize), maxLine_(maxLine) {}

bool LineReader::Refill() {
  bufferOffset_ += end_;
  pos_ = 0;
  end_ = source_.Read(buffer_.get(), capacity_);
  atEnd_ = end_ == 0;
  return !atEnd_;
}

/// The first line tells how the source is encoded: a UTF-8 byte-order mark
/// is taken off it, UTF-16 is refused.
void LineReader::Start(std::string_view& line) {
  started_ = true;
  if (line.starts_with("\xEF\xBB\xBF")) {
    mark_ = "\xEF\xBB\xBF";
    line.remove_prefix(3);
    lineOffset_ += 3;
    return;
  }
  const auto byte = [&line](std::size_t i) {
    return i < line.size() ? static_cast<unsigned char>(line[i]) : 0x100u;
  };
  const auto ascii = [](unsigned c) { return c >= 0x20 && c < 0x7F; }; // printable
  // A byte-order mark, or two printable ASCII characters each with a zero byte
  // beside it: VB6 writes no zero byte, least of all at the start of a file.
  const bool littleEndian = (byte(0) == 0xFF && byte(1) == 0xFE) ||
                            (ascii(byte(0)) && byte(1) == 0 && ascii(byte(2)) && byte(3) == 0);
  const bool bigEndian = (byte(0) == 0xFE && byte(1) == 0xFF) ||
                         (byte(0) == 0 && ascii(byte(1)) && byte(2) == 0 && ascii(byte(3)));
  if (littleEndian || bigEndian)
    Raise(TextFailure{TextFailureKind::Utf16});
}

bool LineReader::Next(std::string_view& line) {
  if (!NextLine(line))
    return false;
  if (!started_)
    Start(line);
  return true;
}

bool LineReader::NextLine(std::string_view& line) {
  if (carryReturned_) {
    carry_.clear();
    carryReturned_ = false;
  }
  std::uint64_t high = 0;
  for (;;) {
    if (pos_ == end_ && (atEnd_ || !Refill())) {
      if (skipLf_) { // a CR was the last byte of all
        skipLf_ = false;
        ++otherBreaks_;
      }
      if (carry_.empty())
        return false;
      ended_ = false;
      ++otherBreaks_;
      line = carry_;
      ascii_ = carryHigh_ == 0;
      carryReturned_ = true;
      lineOffset_ = carryOffset_;
      ++lineNumber_;
      return true;
    }
    if (skipLf_) {
      skipLf_ = false;
      if (buffer_[pos_] == '\n') {
        ++pos_;
        continue;
      }
      ++otherBreaks_; // the CR stood alone
    }
    const char* const begin = buffer_.get() + pos_;
    const char* const end = buffer_.get() + end_;
    const char* const stop = FindLineBreak(begin, end, high);
    const auto length = static_cast<std::size_t>(stop - begin);
    if (carry_.size() + length > maxLine_)
      Raise(TextFailure{TextFailureKind::LineTooLong});
    MakeRoom(carry_, carry_.size() + length, maxLine_);
    if (stop == end) {
      if (carry_.empty()) {
        carryOffset_ = bufferOffset_ + pos_;
        carryHigh_ = 0;
      }
      carry_.append(begin, length);
      carryHigh_ |= high;
      high = 0;
      pos_ = end_;
      continue;
    }
    if (carry_.empty()) {
      line = std::string_view(begin, length);
      lineOffset_ = bufferOffset_ + pos_;
      ascii_ = high == 0;
    } else {
      carry_.append(begin, length);
      line = carry_;
      carryReturned_ = true;
      lineOffset_ = carryOffset_;
      ascii_ = (carryHigh_ | high) == 0;
    }
    ++lineNumber_;
    ended_ = true;
    pos_ += length + 1;
    if (*stop == '\n')
      ++otherBreaks_;
    else if (pos_ == end_)
      skipLf_ = true; // whether an LF follows the CR, the next read tells
    else if (buffer_[pos_] == '\n')
      ++pos_;
    else
      ++otherBreaks_;
    return true;
  }
}

} // namespace qf

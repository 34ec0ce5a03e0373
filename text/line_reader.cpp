#include "text/line_reader.h"

namespace qf {

LineReader::LineReader(ByteSource& source, std::size_t bufferSize)
    : source_(source), buffer_(new char[bufferSize]), capacity_(bufferSize) {}

bool LineReader::Refill() {
  bufferOffset_ += end_;
  pos_ = 0;
  end_ = source_.Read(buffer_.get(), capacity_);
  atEnd_ = end_ == 0;
  return !atEnd_;
}

bool LineReader::Next(std::string_view& line) {
  if (carryReturned_) {
    carry_.clear();
    carryReturned_ = false;
  }
  for (;;) {
    if (pos_ == end_ && (atEnd_ || !Refill())) {
      if (carry_.empty())
        return false;
      line = carry_;
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
    }
    const char* const begin = buffer_.get() + pos_;
    const char* const end = buffer_.get() + end_;
    const char* stop = begin;
    while (stop != end && *stop != '\r' && *stop != '\n')
      ++stop;
    const auto length = static_cast<std::size_t>(stop - begin);
    if (stop == end) {
      if (carry_.empty())
        carryOffset_ = bufferOffset_ + pos_;
      carry_.append(begin, length);
      pos_ = end_;
      continue;
    }
    if (carry_.empty()) {
      line = std::string_view(begin, length);
      lineOffset_ = bufferOffset_ + pos_;
    } else {
      carry_.append(begin, length);
      line = carry_;
      carryReturned_ = true;
      lineOffset_ = carryOffset_;
    }
    ++lineNumber_;
    pos_ += length + 1;
    if (*stop == '\r') {
      if (pos_ == end_)
        skipLf_ = true;
      else if (buffer_[pos_] == '\n')
        ++pos_;
    }
    return true;
  }
}

} // namespace qf

#include "io/byte_stream.h"

#include <algorithm>
#include <cstring>
#include <ostream>

namespace qf {

std::size_t MemorySource::Read(char* buffer, std::size_t size) {
  const std::size_t count = std::min(size, rest_.size());
  std::memcpy(buffer, rest_.data(), count);
  rest_.remove_prefix(count);
  return count;
}

void ComparingSink::Write(std::string_view bytes) {
  while (same_ && !bytes.empty()) {
    buffer_.resize(std::min<std::size_t>(bytes.size(), 1 << 16));
    const std::size_t count = original_.Read(buffer_.data(), buffer_.size());
    same_ = count != 0 && std::string_view(buffer_.data(), count) == bytes.substr(0, count);
    bytes.remove_prefix(std::min(count, bytes.size()));
  }
}

bool ComparingSink::Same() {
  char byte = 0;
  return same_ && original_.Read(&byte, 1) == 0;
}

void OstreamSink::Write(std::string_view bytes) {
  out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out_)
    RaiseIoFailure(IoFailureKind::Write, name_);
}

void OstreamSink::Flush() {
  out_.flush();
  if (!out_)
    RaiseIoFailure(IoFailureKind::Write, name_);
}

} // namespace qf

#include "io/spool.h"

#include <algorithm>

namespace qf {

Spool::Spool(FileSystem& files, std::size_t inMemory) : files_(files), inMemory_(inMemory) {}

void Spool::Write(std::string_view bytes) {
  if (!scratch_) {
    const std::size_t room = inMemory_ - std::min(inMemory_, memory_.size());
    memory_.append(bytes.substr(0, room));
    bytes.remove_prefix(std::min(room, bytes.size()));
    if (bytes.empty())
      return;
    scratch_ = files_.CreateScratch();
  }
  scratch_->Write(bytes);
  spilled_ += bytes.size();
}

void Spool::CopyTo(ByteSink& sink) {
  if (!memory_.empty())
    sink.Write(memory_);
  if (!scratch_)
    return;
  std::string buffer(std::size_t{1} << 16, '\0');
  for (std::uint64_t at = 0; at < spilled_;) {
    const std::size_t count = scratch_->ReadAt(at, buffer.data(), buffer.size());
    if (count == 0)
      break;
    sink.Write(std::string_view(buffer.data(), count));
    at += count;
  }
}

} // namespace qf

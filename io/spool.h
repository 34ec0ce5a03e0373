#pragma once

#include "io/file_system.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace qf {

/// Bytes kept to be handed on later, in the order written: in memory up to
/// a bound, the rest in a scratch file of the file system's. Memory stays
/// within the bound however much is kept.
class Spool final : public ByteSink {
public:
  explicit Spool(FileSystem& files, std::size_t inMemory = std::size_t{1} << 20);

  /// Keeps `bytes`. Raises a Create or Write failure of the scratch file.
  void Write(std::string_view bytes) override;
  /// Writes everything kept to `sink`, in order; the spool keeps it too.
  void CopyTo(ByteSink& sink);
  /// How many bytes are kept.
  std::uint64_t Size() const noexcept { return memory_.size() + spilled_; }

private:
  FileSystem& files_;
  std::size_t inMemory_;
  std::string memory_;
  std::unique_ptr<ScratchFile> scratch_;
  std::uint64_t spilled_ = 0;
};

} // namespace qf

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

/// Splits a fuzzer's bytes into the choices that steer a harness (the
/// leading bytes) and the text it works on (the rest).
namespace qf::fuzz {

class FuzzInput {
public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : rest_(reinterpret_cast<const char*>(data), size) {}

  /// The next byte as a choice, 0 when the input is used up.
  std::uint8_t TakeByte() {
    if (rest_.empty())
      return 0;
    const auto byte = static_cast<std::uint8_t>(rest_.front());
    rest_.remove_prefix(1);
    return byte;
  }

  /// Everything not yet taken.
  std::string_view Rest() const { return rest_; }

private:
  std::string_view rest_;
};

/// The code pages the harnesses pick from: the ANSI code pages VB6 writes
/// that the tool accepts, and UTF-8.
inline constexpr const char* kCodePages[] = {"CP936",  "CP932", "Big5",    "CP950",
                                             "CP1252", "UTF-8", "GB18030", "CP1251"};

inline const char* PickCodePage(std::uint8_t choice) {
  return kCodePages[choice % (sizeof kCodePages / sizeof kCodePages[0])];
}

} // namespace qf::fuzz

#pragma once

#include "text/source_error.h"

#include <cstdint>
#include <string>

/// Levels, depths and indentations are 16-bit signed numbers; every step
/// that leaves -32768..32767 is an error rather than a silent wrap.
namespace qf::int16 {

namespace detail {
[[noreturn]] inline void Overflow(std::int32_t a, const char* op, std::int32_t b) {
  throw LineFault("16-bit overflow: " + std::to_string(a) + " " + op + " " + std::to_string(b) +
                  " leaves the range -32768 to 32767");
}
inline std::int16_t Checked(std::int32_t a, const char* op, std::int32_t b, std::int32_t result) {
  if (result < INT16_MIN || result > INT16_MAX)
    Overflow(a, op, b);
  return static_cast<std::int16_t>(result);
}
} // namespace detail

inline std::int16_t Add(std::int16_t a, std::int16_t b) {
  return detail::Checked(a, "+", b, std::int32_t{a} + b);
}
inline std::int16_t Sub(std::int16_t a, std::int16_t b) {
  return detail::Checked(a, "-", b, std::int32_t{a} - b);
}
inline std::int16_t Mul(std::int16_t a, std::int16_t b) {
  return detail::Checked(a, "*", b, std::int32_t{a} * b);
}

} // namespace qf::int16

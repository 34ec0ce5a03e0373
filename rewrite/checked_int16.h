#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

/// Levels, depths and indentations are 16-bit signed numbers; every step
/// that leaves -32768..32767 is an error rather than a silent wrap.
namespace qf::int16 {

/// A step that leaves the range. what() is the step, "8192 * 4"; the pass
/// turns it into an Overflow failure naming the file and the line.
class Overflow : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

namespace detail {
[[noreturn]] inline void RaiseOverflow(std::int32_t a, const char* op, std::int32_t b) {
  throw int16::Overflow(std::to_string(a) + " " + op + " " + std::to_string(b));
}
inline std::int16_t Checked(std::int32_t a, const char* op, std::int32_t b, std::int32_t result) {
  if (result < INT16_MIN || result > INT16_MAX)
    RaiseOverflow(a, op, b);
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

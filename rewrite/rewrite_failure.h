#pragma once

#include "io/failure_error.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qf {

/// What stops the rewrite of a file's text.
enum class RewriteFailureKind : std::uint8_t {
  Overflow,   ///< a level leaves the 16-bit range (Step: "8192 * 4")
  Unjoinable, ///< a continued header's "_" is not a byte of its own in the code page
};
inline constexpr std::size_t kRewriteFailureKinds = 2;

/// One failure of the rewrite, at a line of a file.
struct RewriteFailure {
  RewriteFailureKind Kind = RewriteFailureKind::Overflow;
  std::string File{};
  std::uint64_t Line = 0;
  std::string Step{};     ///< Overflow: the step that leaves the range
  std::string CodePage{}; ///< Unjoinable: the code page's name

  bool operator==(const RewriteFailure&) const = default;
};

/// The kind's name in machine-readable reports ("overflow").
constexpr std::string_view KindName(RewriteFailureKind kind) {
  return kind == RewriteFailureKind::Overflow ? "overflow" : "unjoinable";
}

} // namespace qf

#include "text/text_failure.h"

#include <array>

namespace qf {

std::string_view KindName(TextFailureKind kind) {
  static constexpr std::array<std::string_view, kTextFailureKinds> kNames = {
      "line-too-long", "decode", "no-code-page", "mixed-code-pages", "utf-16"};
  return kNames[static_cast<std::size_t>(kind)];
}

} // namespace qf

#pragma once

#include "processing/failure.h"

#include <variant>

namespace qf::fuzz {

/// Whether a failure concerns a file as a whole, at no line: a file in
/// UTF-16 is refused from its first bytes. Every other failure of reading a
/// file names the line it stopped at.
inline bool IsWholeFileFailure(const Failure& failure) {
  const auto* text = std::get_if<TextFailure>(&failure);
  return text != nullptr && text->Kind == TextFailureKind::Utf16;
}

} // namespace qf::fuzz

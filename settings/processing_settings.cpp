#include "settings/processing_settings.h"

#include <algorithm>

namespace qf {
namespace {

std::u16string Cycle(std::u16string_view text, std::size_t length) {
  std::u16string result;
  result.reserve(length);
  for (std::size_t k = 0; k < length; ++k)
    result.push_back(text[k % text.size()]);
  return result;
}

bool IsControl(char16_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t';
}

/// Whether `text`, where it ends a line, continues it: it ends in a blank
/// and "_", blanks after them aside (an editor or a later rewrite may drop
/// them).
bool EndsInLineContinuation(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  return text.size() >= 2 && text.back() == u'_' && IsBlank(text[text.size() - 2]);
}

} // namespace

void ProcessingSettings::Commit(std::int16_t indentWidth, Separators separators) {
  IndentWidth = indentWidth;
  SeparatorUnit = std::move(separators.Unit);
  SeparatorLine = std::move(separators.Line);
}

Separators DeriveSeparators(std::u16string_view text) {
  if (text.empty())
    text = u"#";
  return {Cycle(text, kSeparatorUnitLength), Cycle(text, kSeparatorLineLength)};
}

SeparatorFault FaultOfSeparator(std::u16string_view text) {
  if (text.size() > kMaxSeparatorLength)
    return SeparatorFault::TooLong;
  if (std::any_of(text.begin(), text.end(), IsControl))
    return SeparatorFault::ControlCharacter;
  const Separators derived = DeriveSeparators(text);
  // The frame line is a line of its own; the unit is always followed by a
  // label on its line.
  if (EndsInLineContinuation(derived.Line))
    return SeparatorFault::LineContinuation;
  return SeparatorFault::None;
}

Separators HashSeparators() {
  return DeriveSeparators(u"#");
}

} // namespace qf

#include "settings/processing_settings.h"

namespace qf {
namespace {

std::u16string Cycle(std::u16string_view text, std::size_t length) {
  std::u16string result;
  result.reserve(length);
  for (std::size_t k = 0; k < length; ++k)
    result.push_back(text[k % text.size()]);
  return result;
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

Separators HashSeparators() {
  return DeriveSeparators(u"#");
}

} // namespace qf

#include "ui/panel_values.h"

#include "settings/processing_settings.h"

#include <algorithm>

namespace qf::ui {
namespace {

bool UsableIndent(long long width) {
  return width >= 0 && width <= 100;
}

bool UsableSeparator(std::u16string_view text) {
  return text.size() <= kMaxSeparatorLength &&
         std::none_of(text.begin(), text.end(), [](char16_t c) { return c < 0x20 || c == 0x7F; });
}

} // namespace

std::optional<PanelValues> StartValuesFrom(std::optional<long long> indentWidth,
                                           std::optional<std::u16string_view> separatorText) {
  const bool indent = indentWidth && UsableIndent(*indentWidth);
  const bool separator = separatorText && UsableSeparator(*separatorText);
  if (!indent && !separator)
    return std::nullopt;
  PanelValues values;
  if (indent)
    values.IndentWidth = static_cast<std::int16_t>(*indentWidth);
  if (separator)
    values.SeparatorText = std::u16string(*separatorText);
  return values;
}

} // namespace qf::ui

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qf::ui {

/// What the settings panel's two boxes hold: the indent width (txtSpace)
/// and the separator text (txtChar). Its default values are the boxes'
/// built-in start-up values.
struct PanelValues {
  std::int16_t IndentWidth = 4;
  std::u16string SeparatorText = u"#";
  bool operator==(const PanelValues&) const = default;
};

/// The panel's start values from what a saved-defaults file held; either
/// value may be missing. A value the boxes could never show is ignored and
/// the built-in one stands in: an indent width outside 0..100 (the scroll
/// bar's range), a separator text longer than the box takes (8 UTF-16 code
/// units) or holding a control character (a line break in it would cut the
/// comment headers' lines). Nothing when neither value is usable: the start
/// is then a start without saved defaults.
std::optional<PanelValues> StartValuesFrom(std::optional<long long> indentWidth,
                                           std::optional<std::u16string_view> separatorText);

} // namespace qf::ui

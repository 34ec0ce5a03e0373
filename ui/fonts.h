#pragma once

#include <QFont>
#include <QStringList>

namespace qf::ui {

/// The families of the window's font, the first installed one used:
/// fonts_posix.cpp, fonts_windows.cpp.
QStringList WindowFontFamilies();

/// How the window's font is drawn (fonts_posix.cpp, fonts_windows.cpp).
/// The boxes need the whole-pixel advances of the fonts' 12-pixel bitmaps.
QFont::StyleStrategy WindowFontStrategy();

/// The font the window and the settings panel are drawn in. Their boxes
/// were laid out for a fixed-pitch Chinese system font of 9 points in which
/// a Latin character is exactly half as wide as a Chinese one: at 96 dpi a
/// 12-pixel line, 6 pixels a Latin and 12 a Chinese character. SimSun (宋体,
/// on every Chinese Windows) and AR PL UMing CN (Debian's
/// fonts-arphic-uming) have exactly those metrics, so the 67-character
/// frame line of the preview and eight Latin characters of the separator
/// box fit as designed; proportional fonts do not.
inline QFont WindowFont() {
  QFont font;
  font.setFamilies(WindowFontFamilies());
  font.setPointSize(9);
  font.setStyleStrategy(WindowFontStrategy());
  return font;
}

/// `base` in the first installed of `families`, else in its own family,
/// at `points`: the design names Windows fonts (LiSu, SimSun) that a Linux
/// desktop rarely has.
inline QFont FontOrFallback(const QFont& base, QStringList families, qreal points) {
  QFont font = base;
  families << (base.families().isEmpty() ? QStringList{base.family()} : base.families());
  font.setFamilies(families);
  font.setPointSizeF(points);
  return font;
}

} // namespace qf::ui

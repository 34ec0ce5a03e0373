#include "ui/fonts.h"

namespace qf::ui {

/// SimSun on a Chinese Windows; where it is missing (a Western Windows,
/// wine), the font of the Linux build if installed (wine offers the host's
/// fonts), else Qt's fallback for Chinese text, as on Linux.
QStringList WindowFontFamilies() {
  return {QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN")};
}

/// Without smoothing, as SimSun is drawn at this size anyway (from its
/// bitmaps). A font drawn by FreeType (AR PL UMing where SimSun is missing,
/// and the offscreen platform) then takes its bitmaps too; smoothed, it
/// would be hinted from outlines, a ">" 7 pixels wide, and a caption would
/// overflow its box.
QFont::StyleStrategy WindowFontStrategy() {
  return QFont::NoAntialias;
}

} // namespace qf::ui

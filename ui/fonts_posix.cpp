#include "ui/fonts.h"

namespace qf::ui {

QStringList WindowFontFamilies() {
  return {QStringLiteral("AR PL UMing CN")};
}

/// As the desktop says (fontconfig): Debian draws AR PL UMing from its
/// bitmaps at this size.
QFont::StyleStrategy WindowFontStrategy() {
  return QFont::PreferDefault;
}

} // namespace qf::ui

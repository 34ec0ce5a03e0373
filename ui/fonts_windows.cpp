#include "ui/fonts.h"

namespace qf::ui {

/// SimSun on a Chinese Windows; where it is missing (a Western Windows,
/// wine), the font of the Linux build if installed (wine offers the host's
/// fonts), else Qt's fallback for Chinese text, as on Linux.
QStringList WindowFontFamilies() {
  return {QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN")};
}

} // namespace qf::ui

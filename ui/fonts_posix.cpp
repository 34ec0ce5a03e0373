#include "ui/fonts.h"

namespace qf::ui {

QStringList WindowFontFamilies() {
  return {QStringLiteral("AR PL UMing CN")};
}

} // namespace qf::ui

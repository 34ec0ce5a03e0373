#pragma once

#include <QIcon>
#include <QPixmap>

namespace qf::ui {

/// The title band, 593 × 44, with the product name and the glyphs of the
/// web page, minimise and close hotspots at its right end.
QPixmap TitlePicture();
/// The operations group, 131 × 300: open project, start, settings.
QPixmap OperationsPicture();
/// The other-options group, 131 × 300: web page, about, write to the maker.
QPixmap OtherOptionsPicture();
/// The window's icon (32 × 32 and 16 × 16).
QIcon WindowIcon();

} // namespace qf::ui

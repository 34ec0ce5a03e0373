#include "ui/pictures.h"

#include <QGuiApplication>

namespace qf::ui {
namespace {

/// One of the pictures built into the program (drawn from pictures/*.svg
/// at build time, see ui/CMakeLists.txt), at the size its name stands
/// for: twice as many pixels where the screen has more than one device
/// pixel to a pixel, so that it stays sharp.
QPixmap Picture(const QString& name) {
  const bool sharp = qGuiApp != nullptr && qGuiApp->devicePixelRatio() > 1.0;
  QPixmap pixmap(QStringLiteral(":/pictures/") + name +
                 (sharp ? QStringLiteral("@2x.png") : QStringLiteral("@1x.png")));
  pixmap.setDevicePixelRatio(sharp ? 2.0 : 1.0);
  return pixmap;
}

} // namespace

QPixmap TitlePicture() {
  return Picture(QStringLiteral("title"));
}

QPixmap OperationsPicture() {
  return Picture(QStringLiteral("operations"));
}

QPixmap OtherOptionsPicture() {
  return Picture(QStringLiteral("other_options"));
}

QIcon WindowIcon() {
  QIcon icon;
  icon.addPixmap(Picture(QStringLiteral("icon")));
  icon.addPixmap(Picture(QStringLiteral("icon16")));
  return icon;
}

} // namespace qf::ui

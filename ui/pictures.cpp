#include "ui/pictures.h"

#include <QPainter>
#include <QSvgRenderer>

// The pictures are compiled into this static library; its resources must
// be registered by hand, from the global namespace.
static void RegisterPictures() {
  Q_INIT_RESOURCE(pictures);
}

namespace qf::ui {
namespace {

/// Renders one of the SVG pictures built into the program at `width` ×
/// `height` pixels.
QPixmap Render(const QString& name, int width, int height) {
  static const bool registered = (RegisterPictures(), true);
  (void)registered;
  QSvgRenderer renderer(QStringLiteral(":/pictures/") + name);
  QPixmap pixmap(width, height);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  renderer.render(&painter);
  return pixmap;
}

} // namespace

QPixmap TitlePicture() {
  return Render(QStringLiteral("title.svg"), 593, 44);
}

QPixmap OperationsPicture() {
  return Render(QStringLiteral("operations.svg"), 131, 300);
}

QPixmap OtherOptionsPicture() {
  return Render(QStringLiteral("other_options.svg"), 131, 300);
}

QIcon WindowIcon() {
  QIcon icon;
  icon.addPixmap(Render(QStringLiteral("icon.svg"), 32, 32));
  icon.addPixmap(Render(QStringLiteral("icon.svg"), 16, 16));
  return icon;
}

} // namespace qf::ui

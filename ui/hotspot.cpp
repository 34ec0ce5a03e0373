#include "ui/hotspot.h"

#include "ui/place.h"

#include <QMouseEvent>

namespace qf::ui {

Hotspot::Hotspot(QWidget* parent, std::string_view array, int index)
    : QWidget(parent), index_(index), place_(PlaceOf(ElementName(array, index))) {
  setObjectName(QString::fromStdString(ElementName(array, index)));
  setMouseTracking(true);
  setCursor(Qt::PointingHandCursor);
  ui::Place(this, place_);
}

void Hotspot::SetTop(int twips) {
  place_.Top = twips;
  ui::Place(this, place_);
}

void Hotspot::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  event->accept();
}

/// A click is a left press and release over the hotspot.
void Hotspot::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  event->accept();
  if (click)
    emit Clicked(index_);
}

void Hotspot::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  emit MouseMoved(index_);
}

void Hotspot::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange)
    setAttribute(Qt::WA_TransparentForMouseEvents, !isEnabled());
  QWidget::changeEvent(event);
}

} // namespace qf::ui

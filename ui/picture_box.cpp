#include "ui/picture_box.h"

#include "ui/window_model.h"

#include <QMouseEvent>
#include <QPainter>

namespace qf::ui {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_NoMousePropagation);
}

void PictureBox::SetPicture(const QPixmap& picture) {
  picture_ = picture;
  update();
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(kBackground.Red, kBackground.Green, kBackground.Blue));
  painter.drawPixmap(0, 0, picture_);
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  if (event->buttons() != Qt::NoButton)
    emit MouseDragged(event->globalPosition());
  else
    emit MouseMoved();
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
  event->accept();
  emit MousePressed(event->button(), event->globalPosition());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  emit MouseReleased();
}

} // namespace qf::ui

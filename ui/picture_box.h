#pragma once

#include <QPixmap>
#include <QWidget>

namespace qf::ui {

/// A picture shown unscaled from its top-left corner, clipped to the box,
/// on the window's background colour. It reports the mouse moving over it
/// and the presses, drags and releases of its buttons.
class PictureBox : public QWidget {
  Q_OBJECT

public:
  explicit PictureBox(QWidget* parent);

  void SetPicture(const QPixmap& picture);
  const QPixmap& Picture() const { return picture_; }

signals:
  void MouseMoved();
  void MousePressed(Qt::MouseButton button, QPointF globalPosition);
  void MouseDragged(QPointF globalPosition);
  void MouseReleased();

protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  QPixmap picture_;
};

} // namespace qf::ui

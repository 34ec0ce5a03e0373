#include "ui/line_shape.h"

#include <QPainter>
#include <algorithm>

namespace qf::ui {

LineShape::LineShape(QWidget* parent, int widthPixels, QColor colour)
    : QWidget(parent), widthPixels_(widthPixels), colour_(colour) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineShape::SetEnds(const Segment& ends) {
  ends_ = ends;
  const int left = Px(std::min(ends.X1, ends.X2));
  const int top = Px(std::min(ends.Y1, ends.Y2));
  const int width = std::max(Px(std::abs(ends.X2 - ends.X1)), widthPixels_);
  const int height = std::max(Px(std::abs(ends.Y2 - ends.Y1)), widthPixels_);
  setGeometry(left, top, width, height);
}

void LineShape::SetColour(const QColor& colour) {
  colour_ = colour;
  update();
}

void LineShape::paintEvent(QPaintEvent*) {
  QPainter(this).fillRect(rect(), colour_);
}

} // namespace qf::ui

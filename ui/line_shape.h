#pragma once

#include "ui/window_model.h"

#include <QColor>
#include <QWidget>

namespace qf::ui {

/// A straight horizontal or vertical line of a given pixel width, placed by
/// its two end points in its container's twips. It draws itself and takes
/// no mouse events: the control under it gets them.
class LineShape : public QWidget {
  Q_OBJECT

public:
  LineShape(QWidget* parent, int widthPixels, QColor colour);

  /// Moves the line to run from (X1, Y1) to (X2, Y2).
  void SetEnds(const Segment& ends);
  const Segment& Ends() const { return ends_; }

  void SetColour(const QColor& colour);
  QColor Colour() const { return colour_; }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  int widthPixels_;
  QColor colour_;
  Segment ends_;
};

} // namespace qf::ui

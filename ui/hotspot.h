#pragma once

#include "ui/window_model.h"

#include <QWidget>

namespace qf::ui {

/// A command hotspot: an invisible control of a control array, laid over
/// the picture that shows the command. It draws nothing. Hidden or
/// disabled, it takes no mouse events, so the mouse over it counts as being
/// over its container.
class Hotspot : public QWidget {
  Q_OBJECT

public:
  /// Element `index` (from 1) of the control array `array`, named and
  /// placed as kPlaces has it ("img3", 2: "img3(2)").
  Hotspot(QWidget* parent, std::string_view array, int index);

  /// Its place in its container, in twips.
  const TwipsRect& Place() const { return place_; }
  void SetTop(int twips);

signals:
  void Clicked(int index);
  void MouseMoved(int index);

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  int index_;
  TwipsRect place_;
  bool pressed_ = false;
};

} // namespace qf::ui

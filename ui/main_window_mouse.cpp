// The main window's mouse work: the hover frames around the hotspots and
// dragging the borderless window by its title picture.

#include "ui/hotspot.h"
#include "ui/line_shape.h"
#include "ui/main_window.h"
#include "ui/place.h"
#include "ui/platform.h"

#include <QMouseEvent>

namespace qf::ui {

// ---- Hover frames ----------------------------------------------------------

void MainWindow::ShowFrameAround(const HoverFrame& frame, const Hotspot& hotspot, bool sunken) {
  const std::array<Segment, 4> ends = FrameAround(hotspot.Place());
  const std::array<Rgb, 4> colours = FrameColours(sunken);
  for (std::size_t i = 0; i < 4; ++i) {
    frame[i]->SetEnds(ends[i]);
    frame[i]->show();
    frame[i]->raise();
    frame[i]->SetColour(ToQColor(colours[i]));
  }
}

void MainWindow::HideFrame(const HoverFrame& frame) {
  for (LineShape* segment : frame)
    segment->hide();
}

/// The title's and the command panel's hotspots show a sunken frame, the
/// group headers a raised one.
void MainWindow::OnTitleHotspotHovered(int index) {
  ShowFrameAround(titleFrame_, *titleHotspots_.at(static_cast<std::size_t>(index - 1)), true);
}

void MainWindow::OnGroupHeaderHovered(int index) {
  ShowFrameAround(headerFrame_, *groupHeaders_.at(static_cast<std::size_t>(index - 1)), false);
}

void MainWindow::OnCommandHotspotHovered(int index) {
  ShowFrameAround(commandFrame_, *commandHotspots_.at(static_cast<std::size_t>(index - 1)), true);
}

void MainWindow::OnTitlePictureHovered() {
  HideFrame(titleFrame_);
}

void MainWindow::HideHoverFrames() {
  HideFrame(titleFrame_);
  HideFrame(headerFrame_);
  HideFrame(commandFrame_);
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  HideHoverFrames();
}

// ---- Dragging by the title picture -----------------------------------------

void MainWindow::OnTitlePressed(Qt::MouseButton button, QPointF globalPosition) {
  if (button != Qt::LeftButton)
    return;
  if (platform_.StartSystemMove(this))
    return;
  // No window manager to move it: follow the mouse by hand until release.
  draggingByHand_ = true;
  dragOffset_ = globalPosition - QPointF(pos());
}

void MainWindow::OnTitleDragged(QPointF globalPosition) {
  if (draggingByHand_)
    move((globalPosition - dragOffset_).toPoint());
}

void MainWindow::OnTitleReleased() {
  draggingByHand_ = false;
}

} // namespace qf::ui

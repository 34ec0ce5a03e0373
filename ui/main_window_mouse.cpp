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

void MainWindow::lHttp_Move(const HoverFrame& w_Line, std::span<Hotspot* const> w_Obj, int index,
                            bool bShowFlag, bool aSet) {
  if (!bShowFlag) {
    for (LineShape* segment : w_Line)
      segment->hide();
    return;
  }
  const std::array<Segment, 4> ends =
      FrameAround(w_Obj[static_cast<std::size_t>(index - 1)]->Place());
  for (std::size_t i = 0; i < 4; ++i)
    w_Line[i]->SetEnds(ends[i]);
  for (LineShape* segment : w_Line) {
    segment->show();
    segment->raise();
  }
  lHttp_Click(w_Line, aSet);
}

void MainWindow::lHttp_Click(const HoverFrame& w_Line, bool bShowFlag) {
  const std::array<Rgb, 4> colours = FrameColours(bShowFlag);
  for (std::size_t i = 0; i < 4; ++i)
    w_Line[i]->SetColour(ToQColor(colours[i]));
}

void MainWindow::img1_MouseMove(int index) {
  lHttp_Move(lHttp1_, img1_, index, true, true);
}

void MainWindow::img2_MouseMove(int index) {
  lHttp_Move(lLabel1_, img2_, index, true, false);
}

void MainWindow::img3_MouseMove(int index) {
  lHttp_Move(lPic_, img3_, index, true, true);
}

void MainWindow::imgTitle_MouseMove() {
  lHttp_Move(lHttp1_, img1_, 0, false, true);
}

void MainWindow::Form_MouseMove() {
  lHttp_Move(lHttp1_, img1_, 0, false, true);
  lHttp_Move(lLabel1_, img2_, 0, false, true);
  lHttp_Move(lPic_, img3_, 0, false, true);
}

void MainWindow::Picture1_MouseMove() {
  Form_MouseMove();
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  Form_MouseMove();
}

// ---- Dragging by the title picture -----------------------------------------

void MainWindow::imgTitle_MouseDown(Qt::MouseButton button, QPointF globalPosition) {
  if (button != Qt::LeftButton)
    return;
  if (platform_.StartSystemMove(this))
    return;
  // No window manager to move it: follow the mouse by hand until release.
  draggingByHand_ = true;
  dragOffset_ = globalPosition - QPointF(pos());
}

void MainWindow::imgTitle_MouseDrag(QPointF globalPosition) {
  if (draggingByHand_)
    move((globalPosition - dragOffset_).toPoint());
}

void MainWindow::imgTitle_MouseUp() {
  draggingByHand_ = false;
}

} // namespace qf::ui

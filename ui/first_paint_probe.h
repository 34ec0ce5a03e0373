#pragma once

#include <QObject>

class QWidget;

namespace qf::ui {

/// Tells when a window was first painted, for the start-up benchmark
/// (bench/window_bench.cpp), which launches quillformer with
/// QUILLFORMER_FIRST_PAINT set and reads the answer: once the window's
/// first paint event has been handled and the frame handed to the screen
/// (the next turn of the event loop), it prints the monotonic clock
/// (CLOCK_MONOTONIC, nanoseconds, one line on the standard output) and
/// quits the application.
class FirstPaintProbe final : public QObject {
  Q_OBJECT

public:
  /// Watches `window`; a child of it.
  explicit FirstPaintProbe(QWidget* window);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  bool painted_ = false;
};

} // namespace qf::ui

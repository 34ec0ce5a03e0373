#include "ui/first_paint_probe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>

namespace qf::ui {

FirstPaintProbe::FirstPaintProbe(QWidget* window) : QObject(window) {
  window->installEventFilter(this);
}

bool FirstPaintProbe::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Paint && !painted_) {
    painted_ = true;
    // The paint event comes before the frame is flushed to the screen;
    // a zero timer fires after that flush.
    QTimer::singleShot(0, this, [] {
      // steady_clock is CLOCK_MONOTONIC on Linux: the same clock in every
      // process, so the launcher can subtract its own reading.
      const auto now = std::chrono::steady_clock::now().time_since_epoch();
      std::printf("%lld\n", static_cast<long long>(
                                std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
      std::fflush(stdout);
      QCoreApplication::quit();
    });
  }
  return QObject::eventFilter(watched, event);
}

} // namespace qf::ui

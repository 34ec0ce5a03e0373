// quillformer-first-paint: the window started as the program quillformer
// starts it, which prints the monotonic clock once its first frame has been
// handed to the screen, and quits. quillformer-window-bench launches it and
// subtracts the clock it read at the launch.

#include "ui/application.h"
#include "ui/main_window.h"
#include "ui/platform.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QTranslator>
#include <chrono>
#include <cstdio>

namespace {

/// Watches a window for its first paint event. Once it has been handled
/// and the frame flushed (the next turn of the event loop), prints the
/// monotonic clock (nanoseconds, one line on the standard output) and quits
/// the application.
class FirstPaintProbe final : public QObject {
public:
  explicit FirstPaintProbe(QWidget& window) : QObject(&window) { window.installEventFilter(this); }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !painted_) {
      painted_ = true;
      // The paint event comes before the frame is flushed to the screen;
      // a zero timer fires after that flush.
      QTimer::singleShot(0, this, [] {
        // steady_clock is CLOCK_MONOTONIC on Linux: the same clock in every
        // process, so the launcher can subtract its own reading.
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        std::printf("%lld\n",
                    static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
        std::fflush(stdout);
        QCoreApplication::quit();
      });
    }
    return QObject::eventFilter(watched, event);
  }

private:
  bool painted_ = false;
};

} // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTranslator translator;
  qf::ui::PrepareApplication(app, translator);
  qf::ui::QtPlatform platform;
  qf::ui::MainWindow window(platform);
  qf::ui::CentreOnScreen(window);
  new FirstPaintProbe(window);
  window.show();
  return QApplication::exec();
}

// The window's responsiveness, in two figures:
//
// 1. During a run over a generated project of 1,000 files (500 forms and
//    500 modules, about 4 KB each), the longest the event loop goes without
//    turning: a 10 ms timer notes the longest interval between two of its
//    ticks, from the start command until the run has ended. The window's
//    own work on the report (the lines going into the text box) counts in
//    it; a run made on the window's thread would show the whole run here.
//    The same timer over as long a time with the window idle shows what the
//    machine's load alone does to the figure: on a shared machine the
//    scheduler alone leaves gaps of 100 ms and more now and then. So does
//    the longest that the handling of one event took in the window
//    thread's own CPU time: the window's work alone.
// 2. The time from launching build/bin/quillformer-first-paint (the window
//    started as quillformer starts it; first_paint.cpp) to its first
//    painted window: it prints the monotonic clock once its first frame is
//    flushed, and quits.
//
// Run: QT_QPA_PLATFORM=offscreen build/bin/quillformer-window-bench
// (or under a real display). TMPDIR picks the disk of the project; the
// figures move with the machine's load, which a shared machine makes large.

#include "bench/vb6_generator.h"
#include "ui/main_window.h"
#include "ui/platform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <vector>

namespace {

constexpr int kForms = 500;
constexpr int kModules = 500;
constexpr std::size_t kFileBytes = 4096;
constexpr int kLaunches = 5;

/// A desktop whose Open dialog answers with the project; nothing else shows.
class BenchPlatform final : public qf::ui::Platform {
public:
  explicit BenchPlatform(QString project) : project_(std::move(project)) {}
  QString ChooseProjectFile(QWidget*) override { return project_; }
  void ShowInformation(QWidget*, const QString& text) override {
    std::fprintf(stderr, "message: %s\n", qPrintable(text));
  }
  bool Ask(QWidget*, const QString&, const QString&) override { return false; }
  void Minimise(QWidget*) override {}
  bool StartSystemMove(QWidget*) override { return false; }
  void OpenUrl(const QUrl&) override {}

private:
  QString project_;
};

void Write(const QString& path, const std::string& bytes) {
  std::ofstream(path.toStdString(), std::ios::binary | std::ios::trunc) << bytes;
}

/// Writes the project into `folder`; returns the project file's path.
QString MakeProject(const QString& folder) {
  std::string listing = "Type=Exe\r\nName=\"Big\"\r\n";
  std::uint32_t seed = 1;
  for (int i = 0; i < kForms; ++i) {
    const std::string name = "frm" + std::to_string(i) + ".frm";
    Write(folder + "/" + QString::fromStdString(name),
          qf::bench::GenerateModule(kFileBytes, seed++, false));
    listing += "Form=" + name + "\r\n";
  }
  for (int i = 0; i < kModules; ++i) {
    const std::string name = "mod" + std::to_string(i);
    Write(folder + "/" + QString::fromStdString(name) + ".bas",
          qf::bench::GenerateModule(kFileBytes, seed++, true));
    listing += "Module=" + name + "; " + name + ".bas\r\n";
  }
  const QString project = folder + "/Big.vbp";
  Write(project, listing);
  return project;
}

/// The application, noting the longest that the handling of one event
/// (with all it sends on) took in the thread's own CPU time: the window's
/// work alone, apart from the time the scheduler gives to other programs.
class TimedApplication final : public QApplication {
public:
  using QApplication::QApplication;

  bool notify(QObject* receiver, QEvent* event) override {
    if (depth_++ > 0) {
      const bool handled = QApplication::notify(receiver, event);
      --depth_;
      return handled;
    }
    const double before = ThreadCpuMs();
    const bool handled = QApplication::notify(receiver, event);
    longestCpuMs_ = std::max(longestCpuMs_, ThreadCpuMs() - before);
    --depth_;
    return handled;
  }
  void Reset() { longestCpuMs_ = 0; }
  double LongestCpuMs() const { return longestCpuMs_; }

private:
  static double ThreadCpuMs() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
  }

  int depth_ = 0;
  double longestCpuMs_ = 0;
};

/// The intervals between the ticks of a 10 ms timer, from Start() on.
class TickGaps {
public:
  TickGaps() {
    timer_.setInterval(10);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      gaps_.push_back(sinceTick_.nsecsElapsed());
      sinceTick_.restart();
    });
  }
  void Start() {
    gaps_.clear();
    sinceTick_.start();
    timer_.start();
  }
  /// Stops; the time since the last tick counts as a gap too.
  void Stop() {
    timer_.stop();
    gaps_.push_back(sinceTick_.nsecsElapsed());
    std::sort(gaps_.begin(), gaps_.end());
  }
  std::size_t Count() const { return gaps_.size(); }
  double LongestMs() const { return static_cast<double>(gaps_.back()) / 1e6; }
  double PercentileMs(double p) const {
    const auto at = static_cast<std::size_t>(p * static_cast<double>(gaps_.size() - 1));
    return static_cast<double>(gaps_[at]) / 1e6;
  }
  std::size_t Over(double ms) const {
    return static_cast<std::size_t>(std::count_if(gaps_.begin(), gaps_.end(), [ms](qint64 gap) {
      return static_cast<double>(gap) / 1e6 > ms;
    }));
  }

private:
  QTimer timer_;
  QElapsedTimer sinceTick_;
  std::vector<qint64> gaps_;
};

void Print(const char* what, const TickGaps& gaps) {
  auto* app = static_cast<TimedApplication*>(QCoreApplication::instance());
  std::printf("%s: %zu intervals, longest %.1f ms, 99th percentile %.1f ms, %zu over 50 ms; "
              "longest event %.1f ms of CPU\n",
              what, gaps.Count(), gaps.LongestMs(), gaps.PercentileMs(0.99), gaps.Over(50),
              app->LongestCpuMs());
  app->Reset();
}

/// Runs the project in the window; prints the intervals between the ticks
/// of a 10 ms timer during the run, and, as the measure of what the
/// machine's load alone does to them, during as long a time with the
/// window idle.
bool MeasureRun(const QString& project) {
  BenchPlatform platform(project);
  qf::ui::MainWindow window(platform);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window))
    return false;
  QTest::mouseClick(window.findChild<QWidget*>("img3(1)"), Qt::LeftButton);

  TickGaps gaps;
  static_cast<TimedApplication*>(QCoreApplication::instance())->Reset();
  QSignalSpy ended(&window, &qf::ui::MainWindow::RunEnded);
  QElapsedTimer run;
  run.start();
  gaps.Start();
  QTest::mouseClick(window.findChild<QWidget*>("img3(2)"), Qt::LeftButton);
  if (ended.isEmpty() && !ended.wait(600000))
    return false;
  gaps.Stop();
  const qint64 took = run.elapsed();
  std::printf("run of %d files: %lld ms\n", kForms + kModules, static_cast<long long>(took));
  Print("during the run", gaps);

  gaps.Start();
  QTest::qWait(static_cast<int>(took));
  gaps.Stop();
  Print("idle, as long", gaps);
  return true;
}

/// Launches the window kLaunches times; prints the time from each launch to
/// its first painted window.
bool MeasureFirstPaint(const QString& configFolder) {
  std::vector<double> times;
  for (int i = 0; i < kLaunches; ++i) {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", configFolder);
    program.setProcessEnvironment(environment);
    const auto launched = std::chrono::steady_clock::now().time_since_epoch();
    program.start(QStringLiteral(QF_FIRST_PAINT_PATH), {});
    if (!program.waitForFinished(60000) || program.exitCode() != 0)
      return false;
    const long long painted = program.readAllStandardOutput().trimmed().toLongLong();
    const long long start = std::chrono::duration_cast<std::chrono::nanoseconds>(launched).count();
    times.push_back(static_cast<double>(painted - start) / 1e6);
  }
  std::string each;
  for (double t : times)
    each += " " + std::to_string(static_cast<int>(t + 0.5));
  std::sort(times.begin(), times.end());
  std::printf("launch to first painted window: median %.0f ms, best %.0f ms (each, ms:%s)\n",
              times[times.size() / 2], times.front(), each.c_str());
  return true;
}

} // namespace

int main(int argc, char** argv) {
  TimedApplication app(argc, argv);
  QTemporaryDir folder;
  QTemporaryDir config;
  if (!folder.isValid() || !config.isValid())
    return 1;
  // The run must not take defaults the user saved.
  qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
  std::printf("platform: %s\n", qPrintable(QGuiApplication::platformName()));
  if (!MeasureRun(MakeProject(folder.path()))) {
    std::fprintf(stderr, "the run did not end\n");
    return 1;
  }
  if (!MeasureFirstPaint(config.path())) {
    std::fprintf(stderr, "the window did not report its first paint\n");
    return 1;
  }
  return 0;
}

#include "ui/run_thread.h"

#include "io/paths.h"
#include "processing/operation_report.h"
#include "processing/run_request.h"
#include "ui/qt_text.h"

#include <QMutexLocker>
#include <functional>

namespace qf::ui {

RunThread::RunThread(QString projectPath, const ProcessingSettings& settings, FileSystem& files,
                     QObject* parent)
    : QThread(parent), projectPath_(std::move(projectPath)), settings_(settings), files_(files) {}

RunThread::~RunThread() {
  RequestStop();
  wait();
}

void RunThread::RequestStop() noexcept {
  stop_ = true;
}

QStringList RunThread::TakeLines() {
  const QMutexLocker lock(&mutex_);
  return std::exchange(waiting_, {});
}

void RunThread::Deliver(QString line) {
  bool first = false;
  {
    const QMutexLocker lock(&mutex_);
    first = waiting_.isEmpty();
    waiting_.append(std::move(line));
  }
  if (first)
    emit LinesReady();
}

namespace {

/// The window's side of the run: the report of its one project, and what
/// stopped it.
class WindowRun final : public RequestObserver {
public:
  WindowRun(std::optional<Failure>& failure, std::string& codePage,
            std::function<void(std::u16string_view)> deliver)
      : failure_(failure), codePage_(codePage), report_(std::move(deliver)) {}

  RunObserver& ProjectStarts(const ProjectStart& start) override {
    codePage_ = start.Codes.CanonicalName();
    return report_;
  }
  void ProjectEnded(const ProjectStart&, const std::optional<Failure>& failure) override {
    failure_ = failure;
  }
  void Failed(const Failure& failure) override { failure_ = failure; }

private:
  std::optional<Failure>& failure_;
  std::string& codePage_;
  OperationReport report_;
};

} // namespace

/// The project is read in its own code page, found from its files, and its
/// comment headers get the labels that code page holds: a GBK project gives
/// the Chinese headers, a CP1252 one English ones.
void RunThread::run() {
  RunRequest request;
  request.Projects = {PathFromUtf16(ToU16(projectPath_))};
  request.Settings = settings_;
  request.StopRequested = &stop_;
  WindowRun window(failure_, codePage_,
                   [this](std::u16string_view line) { Deliver(ToQString(line)); });
  RunProjects(request, files_, window);
}

} // namespace qf::ui

#include "ui/run_thread.h"

#include "processing/operation_report.h"
#include "processing/processing_run.h"
#include "text/code_page.h"
#include "ui/qt_text.h"

#include <QMutexLocker>

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

void RunThread::run() {
  CodePage codes(kDefaultCodePage);
  OperationReport report([this](std::u16string_view line) { Deliver(ToQString(line)); });
  failure_ =
      ProcessProject(ToU16(projectPath_), RunEnvironment{settings_, codes, files_, &stop_}, report);
}

} // namespace qf::ui

#include "ui/run_thread.h"

#include "processing/operation_report.h"
#include "processing/processing_run.h"
#include "processing/project_code_page.h"
#include "rewrite/header_labels.h"
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

/// The project is read in its own code page, found from its files, and its
/// comment headers get the labels that code page holds: a GBK project gives
/// the Chinese headers, a CP1252 one English ones.
void RunThread::run() {
  const std::u16string path = ToU16(projectPath_);
  ProjectCodePage found;
  try {
    found = ChooseProjectCodePage(path, files_);
  } catch (const FailureErrorBase&) {
    failure_ = HandledFailure();
    return;
  }
  CodePage codes(found.Name);
  codePage_ = codes.CanonicalName();
  ProcessingSettings settings = settings_;
  settings.Labels = LabelsForCodePage(codes);
  OperationReport report([this](std::u16string_view line) { Deliver(ToQString(line)); });
  failure_ = ProcessProject(path, RunEnvironment{settings, codes, files_, &stop_}, report);
}

} // namespace qf::ui

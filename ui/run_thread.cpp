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

/// The operation report, counting the files it tells as processed already.
class CountingReport final : public RunObserver {
public:
  explicit CountingReport(OperationReport::LineListener listener) : report_(std::move(listener)) {}

  int ProcessedAlready() const noexcept { return processedAlready_; }

  void ProjectRead(const ProjectInfo& info) override { report_.ProjectRead(info); }
  void KindStarted(FileKind kind) override { report_.KindStarted(kind); }
  void FileStarted(FileKind kind, const SourceFileEntry& entry) override {
    report_.FileStarted(kind, entry);
  }
  void FileDone(FileKind kind, const SourceFileEntry& entry, const FileResult& result) override {
    if (result.Outcome == RewriteOutcome::AlreadyProcessed)
      ++processedAlready_;
    report_.FileDone(kind, entry, result);
  }
  void Stopped(const Failure& failure) override { report_.Stopped(failure); }

private:
  OperationReport report_;
  int processedAlready_ = 0;
};

/// The window's side of the run: the report of its one project, and what
/// stopped it.
class WindowRun final : public RequestObserver {
public:
  WindowRun(std::optional<Failure>& failure, std::string& codePage,
            OperationReport::LineListener deliver)
      : failure_(failure), codePage_(codePage), report_(std::move(deliver)) {}

  const CountingReport& Report() const noexcept { return report_; }

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
  CountingReport report_;
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
  if (failure_ || stop_ || window.Report().ProcessedAlready() == 0)
    return;
  processedAlready_ = window.Report().ProcessedAlready();
  Deliver(QStringLiteral("    共有 %1 个文件已经被处理过").arg(processedAlready_));
}

} // namespace qf::ui

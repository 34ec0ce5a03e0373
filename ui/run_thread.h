#pragma once

#include "io/file_system.h"
#include "processing/failure.h"
#include "settings/processing_settings.h"

#include <QMutex>
#include <QStringList>
#include <QThread>
#include <atomic>
#include <optional>
#include <string>

namespace qf::ui {

/// One processing run (ProcessProject) on a thread of its own, so that the
/// window goes on taking events while files are rewritten.
///
/// The run reads nothing of the window's while it goes: it takes a copy of
/// the processing settings when it is made, and opens its own code page on
/// its thread (a code page's converter serves one thread): the one its
/// project's files are found to be in, whose language the comment headers'
/// labels then take.
///
/// Where the run handled every file and some of them were processed
/// already, the report ends with one line of the window's own that counts
/// them: "    共有 3 个文件已经被处理过".
///
/// The report's lines reach the window through LinesReady: the run keeps
/// the lines it appends in a list, and tells once when the list stops being
/// empty; the window takes the whole list at a time. However fast the run
/// appends, the window has at most one notice waiting, and takes in one go
/// whatever came since the last.
///
/// A QThread subclass, not a worker object: the run is one blocking call,
/// with no events of its own to take, and finished() is its end notice.
class RunThread final : public QThread {
  Q_OBJECT

public:
  /// A run over the project file at `projectPath` with a copy of
  /// `settings`, through `files` (which must outlive the run). start() it.
  RunThread(QString projectPath, const ProcessingSettings& settings, FileSystem& files,
            QObject* parent = nullptr);
  /// Asks the run to stop and waits for the file in hand to be finished.
  ~RunThread() override;

  /// Ends the run after the file in hand: it is finished and put in place,
  /// nothing after it is touched. From any thread; the run then ends
  /// without a failure.
  void RequestStop() noexcept;

  /// The report lines appended since the last call, in order, each without
  /// its CR LF. Empty when none came.
  QStringList TakeLines();

  /// Once finished(): the failure that stopped the run, or nothing when it
  /// handled every file or was asked to stop.
  const std::optional<Failure>& Outcome() const noexcept { return failure_; }
  /// Once finished(): how many files the report told as processed already
  /// (refused for carrying the marker) where the run handled every file,
  /// the number the report's last line gives; 0 after a failure or a stop.
  int ProcessedAlready() const noexcept { return processedAlready_; }
  /// Once finished(): the code page the project was read in ("windows-1252"),
  /// empty when none could be told.
  const std::string& CodePageName() const noexcept { return codePage_; }

signals:
  /// Lines wait for TakeLines(). Emitted on the run's thread, once each
  /// time the waiting list stops being empty.
  void LinesReady();

protected:
  void run() override;

private:
  void Deliver(QString line);

  const QString projectPath_;
  const ProcessingSettings settings_;
  FileSystem& files_;
  std::atomic<bool> stop_ = false;
  QMutex mutex_;
  QStringList waiting_; // guarded by mutex_
  std::optional<Failure> failure_;
  int processedAlready_ = 0;
  std::string codePage_;
};

} // namespace qf::ui

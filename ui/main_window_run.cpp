// The main window's processing run: on a thread of its own (RunThread),
// its report growing in the text box, the commands that would disturb it
// off, and a close during the run put off until the file in hand is done.

#include "processing/failure_chinese.h"
#include "ui/hotspot.h"
#include "ui/main_window.h"
#include "ui/platform.h"
#include "ui/qt_text.h"
#include "ui/run_thread.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>

namespace qf::ui {

MainWindow::~MainWindow() {
  if (Running()) {
    run_.reset(); // stops after the file in hand
    QApplication::restoreOverrideCursor();
  }
}

void MainWindow::StartRun() {
  if (projectPath_.isEmpty()) {
    platform_.ShowInformation(this, ToQString(kNoProjectMessage));
    return;
  }
  if (Running())
    return;
  BeginRun(settings_);
}

void MainWindow::BeginRun(const ProcessingSettings& settings) {
  run_ = std::make_unique<RunThread>(projectPath_, settings, files_);
  connect(run_.get(), &RunThread::LinesReady, this, &MainWindow::ShowReportLines,
          Qt::QueuedConnection);
  connect(run_.get(), &QThread::finished, this, &MainWindow::EndRun, Qt::QueuedConnection);
  reportShown_ = false;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  UpdateCommands();
  // The start hotspot under the mouse is off now: its frame goes.
  HideFrame(commandFrame_);
  run_->start();
}

/// Puts the lines the run appended since the last call into the text box,
/// as one insertion at its end. The report's first line replaces the text,
/// as a start of the report does. The inserted text is the report's own
/// (CR LF ends), so the box ends with the same text as if the whole report
/// had been set at once. The view follows the end, unless the user has
/// scrolled away from it to read.
void MainWindow::ShowReportLines() {
  if (!run_)
    return;
  const QStringList lines = run_->TakeLines();
  if (lines.isEmpty())
    return;
  QString text;
  for (const QString& line : lines)
    text += line + QStringLiteral("\r\n");
  QScrollBar* bar = textBox_->verticalScrollBar();
  if (!reportShown_) {
    reportShown_ = true;
    ShowText(text);
  } else {
    const bool atEnd = bar->value() == bar->maximum();
    QTextCursor end(textBox_->document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
    if (!atEnd)
      return;
  }
  bar->setValue(bar->maximum());
}

/// The run's thread has ended: the last lines go in, the commands come
/// back, a failure is told, and a close asked for during the run is done.
void MainWindow::EndRun() {
  if (!run_)
    return;
  run_->wait(); // its finished() was its last act: this returns at once
  ShowReportLines();
  const std::optional<Failure> failure = run_->Outcome();
  const QString codePage = QString::fromStdString(run_->CodePageName());
  const int processedAlready = run_->ProcessedAlready();
  run_.reset();
  QApplication::restoreOverrideCursor();
  UpdateCommands();
  if (failure) {
    // The report's format is fixed; the message says in which code page
    // the failing file was read.
    QString message = QStringLiteral("处理中断：") + ToQString(DescribeInChinese(*failure));
    if (!codePage.isEmpty())
      message += QStringLiteral("\r\n代码页：") + codePage;
    platform_.ShowInformation(this, message);
  }
  if (closeRequested_) {
    close();
    emit RunEnded();
    return;
  }
  emit RunEnded();
  if (processedAlready > 0)
    OfferToTidyAgain(processedAlready);
}

/// The files a run refused because they carry the marker can be tidied
/// again: accepted, the same project runs again with the same settings in
/// update mode, whose report replaces this one. An update refuses no file,
/// so it ends without this offer.
void MainWindow::OfferToTidyAgain(int count) {
  const QString question =
      QStringLiteral("有 %1 个文件已经被处理过\r\n  是否重新整理？").arg(count);
  if (!platform_.Ask(this, question, QStringLiteral("重新整理")))
    return;
  ProcessingSettings again = settings_;
  again.Update = true;
  BeginRun(again);
}

/// During a run a close only asks the run to stop: the file in hand is
/// finished (never left half-written), and EndRun closes the window. The
/// window keeps taking events meanwhile.
void MainWindow::closeEvent(QCloseEvent* event) {
  if (!Running()) {
    QWidget::closeEvent(event);
    return;
  }
  closeRequested_ = true;
  run_->RequestStop();
  event->ignore();
}

/// Open project and start are off while the settings panel shows or a run
/// goes on; settings, about and write to the maker are off during a run,
/// so that the run's report is neither lost nor mixed with another text
/// while it grows. A disabled hotspot takes no clicks and no hover.
void MainWindow::UpdateCommands() {
  commandHotspots_[0]->setEnabled(CanChooseProject());
  commandHotspots_[1]->setEnabled(CanChooseProject());
  commandHotspots_[2]->setEnabled(!Running());
  commandHotspots_[4]->setEnabled(!Running());
  commandHotspots_[5]->setEnabled(!Running());
}

} // namespace qf::ui

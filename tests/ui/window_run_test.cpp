// A run on its thread while the window stays in use: the report growing,
// the commands off, a close during the run. The run is held at the sample's
// second file (the module) for as long as a test looks, a fresh window and
// a fresh copy of the sample per test.

#include "io/paths.h"
#include "processing/operation_report.h"
#include "processing/processing_run.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/gated_file_system.h"
#include "tests/ui/window_test_support.h"

#include <QCursor>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <filesystem>
#include <map>

using namespace qf;
using namespace qf::ui;
namespace fs = std::filesystem;

namespace {

constexpr const char* kHeld = "modStock.bas";

/// Copies the sample project into `dir`; returns its folder with a "/".
QString CopyDemo(const test::TempDir& dir) {
  for (const auto& entry : fs::directory_iterator(QF_EXAMPLES_DIR "/demo"))
    fs::copy_file(entry.path(), dir / entry.path().filename().string());
  return QString::fromStdString(dir.Path().string()) + QStringLiteral("/");
}

/// The report that a run of the whole sample gives when made in one go on
/// this thread, as the text box shows it, for a copy in `folder`.
QString ReportInOneGo(const QString& folder) {
  const test::TempDir other;
  const QString otherFolder = CopyDemo(other);
  const ProcessingSettings settings;
  CodePage codes(kDefaultCodePage);
  OperationReport report;
  const std::u16string project = ToU16(otherFolder + QStringLiteral("Demo.vbp"));
  if (ProcessProject(project, RunEnvironment{settings, codes, RealFileSystem()}, report))
    return QStringLiteral("(the run in one go failed)");
  return AsShown(ToQString(report.Text())).replace(otherFolder, folder);
}

/// The bytes of every file in `dir`, by name.
std::map<std::string, std::string> Contents(const test::TempDir& dir) {
  std::map<std::string, std::string> contents;
  for (const auto& entry : fs::directory_iterator(dir.Path()))
    contents[entry.path().filename().string()] = test::ReadBytes(entry.path());
  return contents;
}

/// Takes the leading blanks off every line of the file `name`, as a
/// colleague's edit pasted without indentation would leave it.
void Unindent(const test::TempDir& dir, const std::string& name) {
  std::string bytes = test::ReadBytes(dir / name);
  std::string edited;
  bool lineStart = true;
  for (const char c : bytes) {
    if (lineStart && c == ' ')
      continue;
    lineStart = c == '\n';
    edited += c;
  }
  dir.Write(name, edited);
}

} // namespace

class WindowRunTest : public QObject {
  Q_OBJECT

private slots:
  void init();
  void cleanup();

  void theWindowStaysInUseWhileTheReportGrows();
  void closingDuringARunFinishesTheFileInHandThenCloses();
  void aWindowDestroyedDuringARunGivesTheCursorBack();
  void aRunMeetingProcessedFilesOffersToTidyThemAgain();
  void theOfferAcceptedTidiesTheProjectAgain();

private:
  QString TxtOpenText() const { return f_.TxtOpen()->toPlainText(); }
  static bool WaitCursorShows() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor != nullptr && cursor->shape() == Qt::WaitCursor;
  }

  std::unique_ptr<test::GatedFileSystem> gate_;
  std::unique_ptr<test::TempDir> dir_;
  QString folder_;
  test::WindowFixture f_;
};

void WindowRunTest::init() {
  gate_ = std::make_unique<test::GatedFileSystem>(kHeld);
  f_.Files = gate_.get();
  QVERIFY(f_.Create());
  dir_ = std::make_unique<test::TempDir>();
  folder_ = CopyDemo(*dir_);
  f_.Platform.ChosenFile = folder_ + QStringLiteral("Demo.vbp");
  f_.Click(f_.Img("img3", 1));
}

// The window goes before the file system its run uses, and a run still
// held is let go first, so that the window's end does not wait for it.
void WindowRunTest::cleanup() {
  gate_->Release();
  f_.Window.reset();
  f_.Files = nullptr;
  gate_.reset();
  dir_.reset();
}

// While the run stands at the module, the report so far is in the box, the
// commands that would start, feed or overwrite a run are off and do
// nothing, and the rest of the window works. Afterwards the box holds
// exactly the report of a run made in one go, though it came in pieces.
void WindowRunTest::theWindowStaysInUseWhileTheReportGrows() {
  QSignalSpy ended(f_.Window.get(), &MainWindow::RunEnded);
  f_.Click(f_.Img("img3", 2));
  QTRY_VERIFY_WITH_TIMEOUT(gate_->Reached(), 20000);
  QTRY_VERIFY(TxtOpenText().endsWith(QStringLiteral("窗体对象\n    ") + folder_ +
                                     QStringLiteral("frmMain.frm\n")));
  QVERIFY(TxtOpenText().startsWith(QStringLiteral("操作报告：\n    工程名称：StockDemo\n")));
  QVERIFY(ended.isEmpty());
  QVERIFY(WaitCursorShows());
  for (const int i : {1, 2, 3, 5, 6})
    QVERIFY2(!f_.Img("img3", i)->isEnabled(), qPrintable(QStringLiteral("img3(%1)").arg(i)));

  const QString soFar = TxtOpenText();
  const int dialogs = f_.Platform.DialogsShown; // the project's choice

  f_.Click(f_.Img("img3", 2)); // no second run
  f_.Click(f_.Img("img3", 1)); // no Open dialog
  f_.Click(f_.Img("img2", 2)); // the groups still switch...
  QVERIFY(f_.Img("img3", 5)->isVisible());
  f_.Click(f_.Img("img3", 5)); // ...but about and write to the maker keep off the report
  f_.Click(f_.Img("img3", 6));
  f_.Click(f_.Img("img3", 4)); // the web page opens
  f_.Click(f_.Img("img1", 2)); // and the window minimises
  QCOMPARE(f_.Platform.OpenedUrls.size(), 1);
  QCOMPARE(f_.Platform.Minimised, 1);
  QCOMPARE(f_.Platform.DialogsShown, dialogs);
  QCOMPARE(TxtOpenText(), soFar);

  gate_->Release();
  QVERIFY(ended.wait(60000));
  QCOMPARE(TxtOpenText(), ReportInOneGo(folder_));
  QCOMPARE(f_.Platform.Messages, QStringList());
  QVERIFY(QGuiApplication::overrideCursor() == nullptr);
  for (int i = 1; i <= 6; ++i)
    QVERIFY2(f_.Img("img3", i)->isEnabled(), qPrintable(QStringLiteral("img3(%1)").arg(i)));
}

// Closed by its hotspot and by the window manager (Alt+F4) while the module
// is in hand, the window stays until the module is rewritten and in place;
// the files after it are untouched, no temporary file is left, and then it
// closes.
void WindowRunTest::closingDuringARunFinishesTheFileInHandThenCloses() {
  const std::vector<std::string> later = {"clsItem.cls", "ctlGauge.ctl", "pgGauge.pag"};
  std::vector<std::string> before;
  for (const std::string& name : later)
    before.push_back(test::ReadBytes(*dir_ / name));
  QSignalSpy ended(f_.Window.get(), &MainWindow::RunEnded);
  f_.Click(f_.Img("img3", 2));
  QTRY_VERIFY_WITH_TIMEOUT(gate_->Reached(), 20000);

  f_.Click(f_.Img("img1", 3));
  QVERIFY(!f_.Window->windowHandle()->close());
  QVERIFY(f_.Window->isVisible());
  gate_->Release();
  QVERIFY(ended.wait(60000));
  QVERIFY(!f_.Window->isVisible());

  QVERIFY(test::ReadBytes(*dir_ / kHeld).find("'Quillformer By Vendelmark\r\n") !=
          std::string::npos);
  for (std::size_t i = 0; i < later.size(); ++i)
    QVERIFY2(test::ReadBytes(*dir_ / later[i]) == before[i], later[i].c_str());
  for (const auto& entry : fs::directory_iterator(dir_->Path()))
    QVERIFY2(!entry.path().string().ends_with("tmp"), PathText(entry.path()).c_str());
  QVERIFY(TxtOpenText().endsWith(QStringLiteral("模块位置：") + folder_ +
                                 QStringLiteral("modStock.bas\n    ......处理完成\n")));
  QCOMPARE(f_.Platform.Messages, QStringList());
  QVERIFY(QGuiApplication::overrideCursor() == nullptr);
}

// The program may end with a run going (its event loop gone): the window
// waits for the file in hand, and the wait cursor goes with the run.
void WindowRunTest::aWindowDestroyedDuringARunGivesTheCursorBack() {
  f_.Click(f_.Img("img3", 2));
  QTRY_VERIFY_WITH_TIMEOUT(gate_->Reached(), 20000);
  QVERIFY(WaitCursorShows());
  gate_->Release();
  f_.Window.reset();
  QVERIFY(QGuiApplication::overrideCursor() == nullptr);
  for (const auto& entry : fs::directory_iterator(dir_->Path()))
    QVERIFY2(!entry.path().string().ends_with("tmp"), PathText(entry.path()).c_str());
}

// A first run makes no offer. Run again, the tidied project's files are
// all refused: the report counts them and the window offers to tidy them
// again. Declined, nothing changes: an edit since stays, and no run follows.
void WindowRunTest::aRunMeetingProcessedFilesOffersToTidyThemAgain() {
  gate_->Release();
  QVERIFY(f_.RunToEnd());
  QCOMPARE(f_.Platform.Questions, QStringList());
  Unindent(*dir_, kHeld);
  const auto edited = Contents(*dir_);

  QVERIFY(f_.RunToEnd());
  QCOMPARE(f_.Platform.Questions,
           QStringList(QStringLiteral("有 5 个文件已经被处理过\r\n  是否重新整理？")));
  QVERIFY(TxtOpenText().endsWith(QStringLiteral("......已经被处理过，不能继续处理\n"
                                                "    共有 5 个文件已经被处理过\n")));
  QVERIFY(f_.Img("img3", 2)->isEnabled());
  QVERIFY(Contents(*dir_) == edited);
}

// Accepted, the project runs again in update mode: the module whose
// indentation was taken away comes back exactly as the first run left it,
// every other file keeps its bytes, the report tells each outcome, and the
// update ends without a second offer.
void WindowRunTest::theOfferAcceptedTidiesTheProjectAgain() {
  gate_->Release();
  QVERIFY(f_.RunToEnd());
  const auto tidied = Contents(*dir_);
  Unindent(*dir_, kHeld);
  QVERIFY(Contents(*dir_) != tidied);

  f_.Platform.Answer = true;
  QSignalSpy ended(f_.Window.get(), &MainWindow::RunEnded);
  f_.Click(f_.Img("img3", 2));
  QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 2, 60000);
  QCOMPARE(f_.Platform.Questions.size(), 1);
  QVERIFY(Contents(*dir_) == tidied);
  const QString report = TxtOpenText();
  QVERIFY(report.contains(QStringLiteral("modStock.bas\n    ......重新整理完成：重建注释块 ")));
  QCOMPARE(report.count(QStringLiteral("......已经整齐，没有改动\n")), 4);
  QVERIFY(!report.contains(QStringLiteral("处理过")));
}

QTEST_MAIN(WindowRunTest)
#include "window_run_test.moc"

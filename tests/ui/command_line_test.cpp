// The window's command line: a project file opened from a file manager
// ("quillformer %f") is chosen as a drop or the Open dialog chooses it.

#include "tests/support/temp_dir.h"
#include "tests/ui/window_test_support.h"
#include "ui/command_line.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <sstream>

using namespace qf;
using namespace qf::ui;
namespace fs = std::filesystem;

class CommandLineTest : public QObject {
  Q_OBJECT

private slots:
  void init() { QVERIFY(f_.Create()); }
  void cleanup() {
    f_.Window.reset();
    QDir::setCurrent(QDir::tempPath());
  }

  void aProjectNamedRelativelyIsChosenAbsolutelyAndRuns();
  void withoutAProjectFileNothingIsChosen();

private:
  test::WindowFixture f_;
};

// A name relative to the current folder is chosen as its absolute path, as
// the Open dialog gives it; the arguments around it are ignored, aloud.
void CommandLineTest::aProjectNamedRelativelyIsChosenAbsolutelyAndRuns() {
  const test::TempDir dir;
  for (const auto& entry : fs::directory_iterator(QF_EXAMPLES_DIR "/demo"))
    fs::copy_file(entry.path(),
                  dir / (entry.path().filename() == "Demo.vbp" ? std::string("DEMO.VBP")
                                                               : entry.path().filename().string()));
  dir.Write("notes.txt", "x");
  dir.Write("b.vbp", "Type=Exe\r\n");
  QVERIFY(QDir::setCurrent(QString::fromStdString(dir.Path().string())));
  // Qt gives paths with "/" on every system.
  const QString folder =
      QDir::fromNativeSeparators(QString::fromStdString(dir.Path().string())) + QStringLiteral("/");
  QSignalSpy chosen(f_.Window.get(), &MainWindow::ProjectChosen);
  std::ostringstream err;

  ChooseProjectFromArguments(*f_.Window, {"--bogus", "notes.txt", "DEMO.VBP", "b.vbp"}, err);

  QCOMPARE(chosen.count(), 1);
  QCOMPARE(chosen[0], (QVariantList{folder + QStringLiteral("DEMO.VBP"), folder}));
  QCOMPARE(err.str(),
           "quillformer: ignored \"--bogus\": not an option of the window (see --help)\n"
           "quillformer: ignored \"notes.txt\": not a project file (an existing .vbp file)\n"
           "quillformer: ignored \"b.vbp\": only one project is opened\n");
  QVERIFY(f_.RunToEnd());
  QCOMPARE(f_.Platform.Messages, QStringList());
  QVERIFY(f_.TxtOpen()->toPlainText().startsWith(
      QStringLiteral("操作报告：\n    工程名称：StockDemo")));
}

// A folder, a missing file and a web address choose nothing: a start then
// asks for a project, as in a window opened from the menu.
void CommandLineTest::withoutAProjectFileNothingIsChosen() {
  const test::TempDir dir;
  fs::create_directory(dir / "folder.vbp");
  const QString folder = QString::fromStdString((dir / "folder.vbp").string());
  const QString missing = QString::fromStdString((dir / "missing.vbp").string());
  QSignalSpy chosen(f_.Window.get(), &MainWindow::ProjectChosen);
  std::ostringstream err;
  const QString web = QStringLiteral("https://example.com/a.vbp");

  ChooseProjectFromArguments(*f_.Window, {folder, missing, web}, err);

  QCOMPARE(chosen.count(), 0);
  const auto ignored = [](const QString& argument) {
    return "quillformer: ignored \"" + argument.toStdString() +
           "\": not a project file (an existing .vbp file)\n";
  };
  QCOMPARE(err.str(), ignored(folder) + ignored(missing) + ignored(web));
  f_.Click(f_.Img("img3", 2));
  QCOMPARE(f_.Platform.Messages, QStringList{ToQString(kNoProjectMessage)});
}

QTEST_MAIN(CommandLineTest)
#include "command_line_test.moc"

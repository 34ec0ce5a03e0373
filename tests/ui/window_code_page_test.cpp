// The window reads each project in its own code page, always detected: a
// Shift-JIS project whose project file lists a Shift-JIS name, and an
// English project whose only sign is ©, each tidied with its own labels.

#include "tests/support/code_page_projects.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/window_test_support.h"

#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <string>

using namespace qf;
using namespace qf::ui;

class WindowCodePageTest : public QObject {
  Q_OBJECT

private slots:
  void init() { QVERIFY(f_.Create()); }
  void cleanup() { f_.Window.reset(); }

  void eachProjectGetsTheLabelsOfItsOwnCodePage();

private:
  /// Opens `project` with the Open dialog and runs it to its end.
  bool Run(const std::filesystem::path& project) {
    f_.Platform.ChosenFile = QString::fromStdString(project.string());
    f_.Click(f_.Img("img3", 1));
    QSignalSpy ended(f_.Window.get(), &MainWindow::RunEnded);
    f_.Click(f_.Img("img3", 2));
    return ended.wait(60000);
  }

  test::WindowFixture f_;
};

void WindowCodePageTest::eachProjectGetsTheLabelsOfItsOwnCodePage() {
  const test::TempDir dir;
  QVERIFY(Run(test::WriteShiftJisProject(dir, "jp")));
  QVERIFY(
      test::ReadBytes(dir / "jp/計算用.bas").find(test::Encoded("CP932", "'## 関数名：Total")) !=
      std::string::npos);
  QVERIFY(f_.TxtOpen()->toPlainText().contains(QStringLiteral("計算用.bas")));

  QVERIFY(Run(test::WriteEnglishCopyrightProject(dir, "en")));
  const std::string english = test::ReadBytes(dir / "en/modAbout.bas");
  QVERIFY(english.find("'## Sub: ShowAbout\r\n") != std::string::npos);
  QVERIFY(english.find("' Copyright \xA9 2004 Stock Tools\r\n") != std::string::npos);
  QCOMPARE(f_.Platform.Messages, QStringList());
}

QTEST_MAIN(WindowCodePageTest)
#include "window_code_page_test.moc"

// The settings panel's values saved as defaults, read at the next start;
// every test has a configuration folder of its own (config_folder.h).

#include "tests/support/temp_dir.h"
#include "tests/ui/window_test_support.h"
#include "ui/saved_defaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>

using namespace qf;
using namespace qf::ui;
namespace fs = std::filesystem;

class SavedDefaultsTest : public QObject {
  Q_OBJECT

private slots:
  void init() { QVERIFY(f_.Create()); }
  void cleanup() { f_.Window.reset(); }

  void savedValuesAreTheNextStartsBoxesAndSettings();
  void unusableFilesAndValuesGiveWayToTheBuiltInOnes_data();
  void unusableFilesAndValuesGiveWayToTheBuiltInOnes();
  void aSaveThatCannotBeWrittenSaysSo();
  void theCommandLineNeverReadsThem();

private:
  QString Text(const char* box) const {
    return f_.Child<QLineEdit>(QString::fromLatin1(box))->text();
  }
  void Write(const QByteArray& bytes) const {
    QDir().mkpath(QFileInfo(saved_defaults::File()).absolutePath());
    QFile file(saved_defaults::File());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  /// Processes a copy of the sample project with the window's settings and
  /// gives the rewritten module.
  std::string RunDemo() {
    const test::TempDir dir;
    for (const auto& entry : fs::directory_iterator(QF_EXAMPLES_DIR "/demo"))
      fs::copy_file(entry.path(), dir / entry.path().filename().string());
    f_.Platform.ChosenFile = QString::fromStdString((dir / "Demo.vbp").string());
    f_.Click(f_.Img("img3", 1));
    if (!f_.RunToEnd())
      return "(the run did not end)";
    return test::ReadBytes(dir / "modStock.bas");
  }

  test::WindowFixture f_;
};

// "Begins with them": the boxes show them and the processing settings hold
// them, as after confirming the panel with them.
void SavedDefaultsTest::savedValuesAreTheNextStartsBoxesAndSettings() {
  Write(QByteArray("\x89PNG\r\n\x1a\n\0\xff[Panel", 14)); // a damaged file is replaced
  QSignalSpy committed(f_.Panel(), &SettingsPanel::Committed);
  f_.Click(f_.Img("img3", 3));
  f_.Child<QScrollBar>(QStringLiteral("VScroll1"))->setValue(2);
  f_.Child<QLineEdit>(QStringLiteral("txtChar"))->setText(QStringLiteral("*-"));
  f_.Click(f_.Child(QStringLiteral("cmdSave")));
  QCOMPARE(f_.Platform.Messages, QStringList());
  QVERIFY(f_.Panel()->isVisible()); // saving neither closes nor commits
  QCOMPARE(committed.count(), 0);

  QVERIFY(f_.Restart());
  QVERIFY(!f_.Panel()->isVisible());
  QCOMPARE(Text("txtSpace"), QStringLiteral("2"));
  QCOMPARE(f_.Child<QScrollBar>(QStringLiteral("VScroll1"))->value(), 2);
  QCOMPARE(Text("txtChar"), QStringLiteral("*-"));
  const Separators pair = DeriveSeparators(u"*-");
  QCOMPARE(f_.Child<QPlainTextEdit>(QStringLiteral("Text1"))->toPlainText(),
           test::Shown(PreviewText(pair.Unit, pair.Line)));
  const std::string module = RunDemo();
  std::string frameLine;
  for (int i = 0; i < 33; ++i)
    frameLine += "*-";
  QVERIFY(module.find("\r\n'" + frameLine + "\r\n") != std::string::npos);
  QVERIFY(module.find("\r\n'*-*-*-*-*-*-*- ") != std::string::npos);
  QVERIFY(module.find("\r\n  Dim i As Long\r\n") != std::string::npos);
  QCOMPARE(f_.Platform.Messages, QStringList());
}

void SavedDefaultsTest::unusableFilesAndValuesGiveWayToTheBuiltInOnes_data() {
  QTest::addColumn<QByteArray>("file"); // "-": none; "/": a folder in its place
  QTest::addColumn<QString>("indent");
  QTest::addColumn<QString>("separator");
  QTest::addColumn<QByteArray>("unit"); // what the start's settings put after the "'"
  const QByteArray builtIn = "## ";
  QTest::newRow("no file") << QByteArray("-") << "4"
                           << "#" << builtIn;
  QTest::newRow("a folder") << QByteArray("/") << "4"
                            << "#" << builtIn;
  QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\xff[\xfe=\x01", 14) << "4"
                          << "#" << builtIn;
  QTest::newRow("no numbers") << QByteArray("[Panel]\nIndentWidth=four\nSeparatorText=123456789\n")
                              << "4"
                              << "#" << builtIn;
  QTest::newRow("a line break") << QByteArray("[Panel]\nIndentWidth=-1\nSeparatorText=\"a\\nb\"\n")
                                << "4"
                                << "#" << builtIn;
  QTest::newRow("a list") << QByteArray("[Panel]\nIndentWidth=101\nSeparatorText=a, b\n") << "4"
                          << "#" << builtIn;
  QTest::newRow("indent out of range")
      << QByteArray("[Panel]\nIndentWidth=101\nSeparatorText=ab\n") << "4"
      << "ab" << QByteArray("ababababababab ");
  QTest::newRow("separator too long")
      << QByteArray("[Panel]\nIndentWidth=100\nSeparatorText=ReMaxNumX\n") << "100"
      << "#" << QByteArray(14, '#') + ' ';
}

void SavedDefaultsTest::unusableFilesAndValuesGiveWayToTheBuiltInOnes() {
  QFETCH(QByteArray, file);
  QFETCH(QString, indent);
  QFETCH(QString, separator);
  QFETCH(QByteArray, unit);
  if (file == "/")
    QVERIFY(QDir().mkpath(saved_defaults::File()));
  else if (file != "-")
    Write(file);
  QVERIFY(f_.Restart());
  QCOMPARE(Text("txtSpace"), indent);
  QCOMPARE(Text("txtChar"), separator);
  const std::string module = RunDemo();
  QVERIFY(module.find("\r\n'" + unit.toStdString()) != std::string::npos);
  QCOMPARE(f_.Platform.Messages, QStringList());
}

// A folder where the file should be, then a file where its folder should be.
void SavedDefaultsTest::aSaveThatCannotBeWrittenSaysSo() {
  QVERIFY(QDir().mkpath(saved_defaults::File()));
  f_.Click(f_.Img("img3", 3));
  f_.Click(f_.Child(QStringLiteral("cmdSave")));
  const QString folder = QFileInfo(saved_defaults::File()).absolutePath();
  QVERIFY(QDir(folder).removeRecursively());
  QFile file(folder);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.close();
  f_.Click(f_.Child(QStringLiteral("cmdSave")));
  QVERIFY(QFile::remove(folder));
  QCOMPARE(f_.Platform.Messages.size(), 2);
  for (const QString& message : f_.Platform.Messages)
    QVERIFY(message.startsWith(QStringLiteral("默认设置未能保存：")));
  QVERIFY(f_.Panel()->isVisible());
}

// What the command line writes must not depend on one user's choices.
void SavedDefaultsTest::theCommandLineNeverReadsThem() {
  Write("[Panel]\nIndentWidth=2\nSeparatorText=*-\n");
  QProcess cli;
  cli.start(QStringLiteral(QF_CLI_PATH),
            {QStringLiteral("--print"), QStringLiteral(QF_EXAMPLES_DIR "/demo/modStock.bas")});
  QVERIFY(cli.waitForFinished(30000));
  QCOMPARE(cli.exitCode(), 0);
  const QByteArray printed = cli.readAllStandardOutput();
  QVERIFY(printed.contains("\r\n'## "));
  QVERIFY(printed.contains("\r\n    Dim i As Long\r\n"));
}

QTEST_MAIN(SavedDefaultsTest)
#include "saved_defaults_test.moc"

// The main window's commands, on a fake desktop, a fresh window per test.

#include "io/paths.h"
#include "io/utf.h"
#include "tests/support/system_facts.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/window_test_support.h"
#include "ui/fonts.h"
#include "ui/picture_box.h"
#include "ui/pictures.h"
#include "ui/place.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>

using namespace qf;
using namespace qf::ui;
namespace fs = std::filesystem;

class MainWindowTest : public QObject {
  Q_OBJECT

private slots:
  void init() { QVERIFY(f_.Create()); }
  void cleanup() { f_.Window.reset(); }

  void loadShowsTheHelpTextAndStartUpState();
  void thePicturesAndTheWindowsFont();
  void everyControlStandsWhereTheTableSays();
  void startWithoutAProjectOnlyShowsTheMessage();
  void openingThenCancellingLosesTheChoice();
  void theFolderEndsWithTheLastSeparator();
  void theOtherOptionsHeaderTogglesTheGroups();
  void theOperationsHeaderAlwaysReturns();
  void aboutAndContactReplaceTheText();
  void webPageMinimiseAndClose();
  void aRunShowsTheReportInTheTextBox();
  void aFailedRunShowsTheCauseAndTheWindowGoesOn();
  void aWesternProjectIsTidiedInItsOwnCodePage();
  void switchingGroupsCancelsOnlyAShowingPanel();
  void switchingGroupsDiscardsThePanelsEdits();
  void draggingTheTitleMovesTheWindow();

private:
  QString TxtOpenText() const { return f_.TxtOpen()->toPlainText(); }
  /// Shows the other-options group: its hotspots are the visible ones.
  bool OtherOptionsShown() const { return f_.Img("img3", 4)->isVisible(); }
  /// Copies the sample project into `dir` and chooses it.
  QString ChooseDemo(const test::TempDir& dir) {
    for (const auto& entry : fs::directory_iterator(QF_EXAMPLES_DIR "/demo"))
      fs::copy_file(entry.path(), dir / entry.path().filename().string());
    const QString folder = QString::fromStdString(dir.Path().string()) + QStringLiteral("/");
    f_.Platform.ChosenFile = folder + QStringLiteral("Demo.vbp");
    f_.Click(f_.Img("img3", 1));
    return folder;
  }

  test::WindowFixture f_;
};

void MainWindowTest::loadShowsTheHelpTextAndStartUpState() {
  MainWindow& w = *f_.Window;
  QCOMPARE(TxtOpenText(), test::Shown(kHelpText));
  QCOMPARE(TxtOpenText().count(QStringLiteral("\n")), 13);
  QCOMPARE(w.size(), QSize(590, 391));
  QVERIFY(w.windowFlags().testFlag(Qt::FramelessWindowHint));
  QCOMPARE(w.windowTitle(), QStringLiteral("Quillformer"));
  QVERIFY(!f_.Panel()->isVisible());
  for (int i = 1; i <= 6; ++i)
    QCOMPARE(f_.Img("img3", i)->isVisible(), i <= 3);
  QCOMPARE(f_.TxtOpen()->font().pointSizeF(), 14.25);
  QCOMPARE(f_.TxtOpen()->font().families().constFirst(), QStringLiteral("LiSu"));
}

// The pictures are built in (drawn from SVG at build time) at their sizes,
// and the window's font, whichever of its families is there, has the
// metrics its boxes were laid out for.
void MainWindowTest::thePicturesAndTheWindowsFont() {
  const std::pair<QPixmap, QSize> pictures[] = {{TitlePicture(), {593, 44}},
                                                {OperationsPicture(), {131, 300}},
                                                {OtherOptionsPicture(), {131, 300}}};
  for (const auto& [picture, size] : pictures) {
    QVERIFY(!picture.isNull());
    QCOMPARE(picture.deviceIndependentSize().toSize(), size);
  }
  QCOMPARE(WindowIcon().availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
  QCOMPARE(f_.Window->font().families(), WindowFontFamilies());
  const QFontMetrics metrics(f_.Window->font());
  QCOMPARE(metrics.height(), 12);
  QCOMPARE(metrics.horizontalAdvance(QStringLiteral("中")), 12);
  QCOMPARE(metrics.horizontalAdvance(QStringLiteral("a")), 6);
}

// The code and these checks read the same table: a control that the code
// puts elsewhere, into another container or under another name fails here.
void MainWindowTest::everyControlStandsWhereTheTableSays() {
  for (const ControlPlace& place : kPlaces) {
    const QString name = QString::fromLatin1(place.Name.data(), qsizetype(place.Name.size()));
    QWidget* control = name == QStringLiteral("frmMain") ? f_.Window.get() : f_.Child(name);
    if (!place.Container.empty())
      QCOMPARE(control->parentWidget()->objectName(), QLatin1StringView(place.Container));
    const TwipsRect& r = place.Rect;
    QCOMPARE(control->geometry(), QRect(Px(r.Left), Px(r.Top), Px(r.Width), Px(r.Height))
                                      .translated(control->isWindow() ? control->pos() : QPoint()));
  }
  for (const LinePlace& line : kLines) {
    const auto* shape = f_.Child<LineShape>(QLatin1StringView(line.Name));
    QCOMPARE(shape->parentWidget()->objectName(), QLatin1StringView(line.Container));
    QVERIFY(shape->Ends() == line.Ends);
  }
}

void MainWindowTest::startWithoutAProjectOnlyShowsTheMessage() {
  f_.Click(f_.Img("img3", 2));
  QCOMPARE(f_.Platform.Messages, QStringList{QStringLiteral("没有选择工程\r\n  请选择")});
  QCOMPARE(TxtOpenText(), test::Shown(kHelpText));
}

void MainWindowTest::openingThenCancellingLosesTheChoice() {
  QSignalSpy chosen(f_.Window.get(), &MainWindow::ProjectChosen);
  f_.Platform.ChosenFile = QStringLiteral("/work/demo/Demo.vbp");
  f_.Click(f_.Img("img3", 1));
  QCOMPARE(f_.Platform.DialogsShown, 1);
  QCOMPARE(chosen.size(), 1);
  QCOMPARE(chosen[0],
           (QVariantList{QStringLiteral("/work/demo/Demo.vbp"), QStringLiteral("/work/demo/")}));
  f_.Platform.ChosenFile.clear();
  f_.Click(f_.Img("img3", 1));
  QCOMPARE(chosen.size(), 2);
  QCOMPARE(chosen[1], (QVariantList{QString(), QString()}));
  f_.Click(f_.Img("img3", 2));
  QCOMPARE(f_.Platform.Messages.size(), 1);
  QCOMPARE(TxtOpenText(), test::Shown(kHelpText));
}

void MainWindowTest::theFolderEndsWithTheLastSeparator() {
  QSignalSpy chosen(f_.Window.get(), &MainWindow::ProjectChosen);
  for (const auto& [path, folder] :
       {std::pair{QStringLiteral("C:\\a\\b\\demo.vbp"), QStringLiteral("C:\\a\\b\\")},
        std::pair{QStringLiteral("C:\\demo.vbp"), QStringLiteral("C:\\")}}) {
    f_.Platform.ChosenFile = path;
    f_.Click(f_.Img("img3", 1));
    QCOMPARE(chosen.takeLast().at(1).toString(), folder);
  }
}

void MainWindowTest::theOtherOptionsHeaderTogglesTheGroups() {
  auto* label2 = f_.Child<QLabel>(QStringLiteral("Label2"));
  auto* picture1 = f_.Child<PictureBox>(QStringLiteral("Picture1"));
  Hotspot* header = f_.Img("img2", 2);
  f_.Click(header);
  QVERIFY(OtherOptionsShown());
  QCOMPARE(label2->y(), Px(620));
  QCOMPARE(picture1->y(), Px(880));
  QCOMPARE(header->y(), Px(570));
  QCOMPARE(header->Place().Top, 570);
  for (int i = 1; i <= 6; ++i)
    QCOMPARE(f_.Img("img3", i)->isVisible(), i >= 4);
  QCOMPARE(picture1->Picture().toImage(), OtherOptionsPicture().toImage());

  f_.Click(header);
  QVERIFY(!OtherOptionsShown());
  QCOMPARE(label2->y(), Px(4890));
  QCOMPARE(picture1->y(), Px(480));
  QCOMPARE(header->y(), Px(4850));
  for (int i = 1; i <= 6; ++i)
    QCOMPARE(f_.Img("img3", i)->isVisible(), i <= 3);
  QCOMPARE(picture1->Picture().toImage(), OperationsPicture().toImage());
}

void MainWindowTest::theOperationsHeaderAlwaysReturns() {
  auto* picture1 = f_.Child<PictureBox>(QStringLiteral("Picture1"));
  f_.Click(f_.Img("img2", 1));
  QVERIFY(!OtherOptionsShown());
  QCOMPARE(picture1->y(), Px(OperationsLayout().PictureTop));
  f_.Click(f_.Img("img2", 2));
  QVERIFY(OtherOptionsShown());
  f_.Click(f_.Img("img2", 1));
  QVERIFY(!OtherOptionsShown());
  QCOMPARE(picture1->y(), Px(OperationsLayout().PictureTop));
  QCOMPARE(f_.Img("img2", 2)->y(), Px(OperationsLayout().OtherOptionsHotspotTop));
}

void MainWindowTest::aboutAndContactReplaceTheText() {
  f_.Click(f_.Img("img2", 2));
  f_.Click(f_.Img("img3", 6));
  QCOMPARE(TxtOpenText(), test::Shown(kContactText));
  QVERIFY(TxtOpenText().contains(ToQString(kContactAddress)));
  QVERIFY(!TxtOpenText().endsWith(QStringLiteral("\n")));
  f_.Click(f_.Img("img3", 5));
  QCOMPARE(TxtOpenText(), test::Shown(kHelpText));
}

void MainWindowTest::webPageMinimiseAndClose() {
  MainWindow& w = *f_.Window;
  f_.Click(f_.Img("img1", 1));
  f_.Click(f_.Img("img2", 2));
  f_.Click(f_.Img("img3", 4));
  const QUrl page(QString::fromLatin1(kWebPageAddress.data()));
  QCOMPARE(f_.Platform.OpenedUrls, (QList<QUrl>{page, page}));
  f_.Click(f_.Img("img1", 2));
  QCOMPARE(f_.Platform.Minimised, 1);
  QVERIFY(w.isVisible());
  f_.Click(f_.Img("img1", 3));
  QVERIFY(!w.isVisible());
}

void MainWindowTest::aRunShowsTheReportInTheTextBox() {
  const test::TempDir dir;
  const QString folder = ChooseDemo(dir);
  QVERIFY(f_.RunToEnd());
  QCOMPARE(f_.Platform.Messages, QStringList());
  const QString expected = QStringLiteral("操作报告：\r\n"
                                          "    工程名称：StockDemo\r\n"
                                          "    程序类型：Exe\r\n"
                                          "    公司名称：Acme, Inc.\r\n"
                                          "    版 本 号：1.2.7\r\n"
                                          "    启动对象：frmMain\r\n"
                                          "窗体对象\r\n"
                                          "    %1frmMain.frm\r\n"
                                          "    ......处理完成\r\n"
                                          "模块对象\r\n"
                                          "    模块名称：modStock\r\n"
                                          "    模块位置：%1modStock.bas\r\n"
                                          "    ......处理完成\r\n"
                                          "类模块对象\r\n"
                                          "    类模块名称：clsItem\r\n"
                                          "    类模块位置：%1clsItem.cls\r\n"
                                          "    ......处理完成\r\n"
                                          "用户控件单元\r\n"
                                          "    用户控件位置：%1ctlGauge.ctl\r\n"
                                          "    ......处理完成\r\n"
                                          "属性页单元\r\n"
                                          "    属性页位置：%1pgGauge.pag\r\n"
                                          "    ......处理完成\r\n")
                               .arg(folder);
  QCOMPARE(TxtOpenText(), AsShown(expected));
  // The run used the start-up settings: "##" inner lines, 4 spaces a level.
  const std::string module = test::ReadBytes(dir / "modStock.bas");
  QVERIFY(module.find("'Quillformer By Vendelmark") != std::string::npos);
  QVERIFY(module.find("\r\n'" + std::string(66, '#') + "\r\n'## ") != std::string::npos);
  QVERIFY(module.find("\r\n    Dim i As Long\r\n") != std::string::npos);
}

// Everything the window says of the failure is Chinese but the system's own
// words, in parentheses: the message box and the report's last line.
void MainWindowTest::aFailedRunShowsTheCauseAndTheWindowGoesOn() {
  const test::TempDir dir;
  dir.Write("Gap.vbp", "Form=gone.frm\r\n");
  const QString folder = QString::fromStdString(dir.Path().string()) + QStringLiteral("/");
  f_.Platform.ChosenFile = folder + QStringLiteral("Gap.vbp");
  f_.Click(f_.Img("img3", 1));
  QVERIFY(f_.RunToEnd());
  const QString cause = QStringLiteral("无法打开文件：") +
                        QString::fromStdString(PathText(dir / "gone.frm")) + QStringLiteral("（") +
                        QString::fromStdString(test::NoSuchFileWords()) + QStringLiteral("）");
  QCOMPARE(f_.Platform.Messages, QStringList{QStringLiteral("处理中断：") + cause +
                                             QStringLiteral("\r\n代码页：windows-936")});
  QCOMPARE(TxtOpenText(), QStringLiteral("操作报告：\n"
                                         "    工程名称：\n"
                                         "    程序类型：\n"
                                         "    公司名称：\n"
                                         "    版 本 号：..\n"
                                         "    启动对象：\n"
                                         "窗体对象\n"
                                         "    %1gone.frm\n"
                                         "    ......处理中断：%2\n")
                              .arg(folder, cause));
  f_.Click(f_.Img("img2", 2));
  f_.Click(f_.Img("img3", 5));
  QCOMPARE(TxtOpenText(), test::Shown(kHelpText));
}

// A project in CP1252 is read in CP1252, not stopped as undecodable GBK,
// and its headers get English labels; the report is as for any project.
void MainWindowTest::aWesternProjectIsTidiedInItsOwnCodePage() {
  const test::TempDir dir;
  std::string module = "Attribute VB_Name = \"m\"\r\n";
  for (int i = 0; i < 3; ++i)
    module += "' Pr\xFC"
              "ft, ob die Datei existiert, bevor sie ge\xF6"
              "ffnet wird.\r\n";
  module += "Sub \xD6"
            "ffnen()\r\nEnd Sub\r\n";
  dir.Write("m.bas", module);
  dir.Write("W.vbp", "Name=\"West\"\r\nModule=m; m.bas\r\n");
  const QString folder = QString::fromStdString(dir.Path().string()) + QStringLiteral("/");
  f_.Platform.ChosenFile = folder + QStringLiteral("W.vbp");
  f_.Click(f_.Img("img3", 1));
  QVERIFY(f_.RunToEnd());
  QCOMPARE(f_.Platform.Messages, QStringList());
  QVERIFY(TxtOpenText().endsWith(QStringLiteral("    模块位置：%1m.bas\n    ......处理完成\n"
                                                "类模块对象\n用户控件单元\n属性页单元\n")
                                     .arg(folder)));
  QVERIFY(test::ReadBytes(dir / "m.bas")
              .find("'## Sub: \xD6"
                    "ffnen\r\n'## Parameters: none\r\n") != std::string::npos);
}

// Switching groups cancels the panel only while it shows: cancelling a
// panel never opened would put 0 and an empty separator into its boxes.
void MainWindowTest::switchingGroupsCancelsOnlyAShowingPanel() {
  QSignalSpy committed(f_.Panel(), &SettingsPanel::Committed);
  f_.Click(f_.Img("img2", 2));
  f_.Click(f_.Img("img2", 1));
  f_.Click(f_.Img("img3", 3));
  QCOMPARE(f_.Child<QLineEdit>(QStringLiteral("txtSpace"))->text(), QStringLiteral("4"));
  QCOMPARE(f_.Child<QLineEdit>(QStringLiteral("txtChar"))->text(), QStringLiteral("#"));
  f_.Click(f_.Child(QStringLiteral("cmdOK")));
  QCOMPARE(committed.size(), 1);
  QCOMPARE(committed[0][0].value<std::int16_t>(), 4);
}

void MainWindowTest::switchingGroupsDiscardsThePanelsEdits() {
  SettingsPanel& panel = *f_.Panel();
  QSignalSpy committed(&panel, &SettingsPanel::Committed);
  f_.Click(f_.Img("img3", 3));
  f_.Child<QLineEdit>(QStringLiteral("txtChar"))->setText(QStringLiteral("ab"));
  f_.Child<QScrollBar>(QStringLiteral("VScroll1"))->setValue(6);
  f_.Click(f_.Img("img2", 2));
  QVERIFY(!panel.isVisible());
  QCOMPARE(f_.Child<QLineEdit>(QStringLiteral("txtChar"))->text(), QStringLiteral("#"));
  QCOMPARE(f_.Child<QLineEdit>(QStringLiteral("txtSpace"))->text(), QStringLiteral("4"));
  QCOMPARE(committed.size(), 0);
  QVERIFY(f_.Img("img3", 1)->isEnabled());
  QVERIFY(f_.Img("img3", 2)->isEnabled());
}

void MainWindowTest::draggingTheTitleMovesTheWindow() {
  MainWindow& w = *f_.Window;
  auto* title = f_.Child<PictureBox>(QStringLiteral("imgTitle"));
  const QPoint start = w.pos();
  const auto send = [title](QEvent::Type type, QPoint local, Qt::MouseButton button,
                            Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(local), QPointF(title->mapToGlobal(local)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(title, &event);
  };
  // The right and the middle button do not move the window.
  send(QEvent::MouseButtonPress, {100, 20}, Qt::RightButton, Qt::RightButton);
  send(QEvent::MouseMove, {150, 60}, Qt::NoButton, Qt::RightButton);
  send(QEvent::MouseButtonRelease, {150, 60}, Qt::RightButton, Qt::NoButton);
  send(QEvent::MouseButtonPress, {100, 20}, Qt::MiddleButton, Qt::MiddleButton);
  QCOMPARE(f_.Platform.SystemMoves, 0);
  QCOMPARE(w.pos(), start);

  // No window manager to do it: the window follows the mouse by hand.
  send(QEvent::MouseButtonPress, {100, 20}, Qt::LeftButton, Qt::LeftButton);
  QCOMPARE(f_.Platform.SystemMoves, 1);
  send(QEvent::MouseMove, {150, 60}, Qt::NoButton, Qt::LeftButton);
  QTRY_COMPARE(w.pos(), start + QPoint(50, 40));
  send(QEvent::MouseButtonRelease, {150, 60}, Qt::LeftButton, Qt::NoButton);
  send(QEvent::MouseMove, {10, 10}, Qt::NoButton, Qt::LeftButton);
  QCOMPARE(w.pos(), start + QPoint(50, 40));

  // With a window manager, it moves the window itself.
  f_.Platform.SystemMoveWorks = true;
  send(QEvent::MouseButtonPress, {100, 20}, Qt::LeftButton, Qt::LeftButton);
  send(QEvent::MouseMove, {300, 30}, Qt::NoButton, Qt::LeftButton);
  QCOMPARE(f_.Platform.SystemMoves, 2);
  QCOMPARE(w.pos(), start + QPoint(50, 40));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"

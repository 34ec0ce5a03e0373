// The main window's commands, on a fake desktop, a fresh window per test.

#include "tests/support/temp_dir.h"
#include "tests/ui/window_test_support.h"
#include "text/utf.h"
#include "ui/picture_box.h"
#include "ui/pictures.h"
#include "ui/settings_panel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
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
  void startWithoutAProjectOnlyShowsTheMessage();
  void openingThenCancellingLosesTheChoice();
  void theFolderEndsWithTheLastSeparator();
  void theOtherOptionsHeaderTogglesTheGroups();
  void theOperationsHeaderAlwaysReturns();
  void aboutAndContactReplaceTheText();
  void webPageMinimiseAndClose();
  void aRunShowsTheReportInTheTextBox();
  void aFailedRunShowsTheCauseAndTheWindowGoesOn();
  void switchingGroupsCancelsOnlyAShowingPanel();
  void switchingGroupsDiscardsThePanelsEdits();
  void draggingTheTitleMovesTheWindow();

private:
  test::WindowFixture f_;
};

void MainWindowTest::loadShowsTheHelpTextAndStartUpState() {
  MainWindow& w = *f_.Window;
  QCOMPARE(w.TxtOpenText(), ToQString(kHelpText));
  QCOMPARE(w.TxtOpen()->toPlainText(), test::Shown(kHelpText));
  QCOMPARE(w.TxtOpenText().count(QStringLiteral("\r\n")), 13);
  QCOMPARE(w.Settings(), ProcessingSettings::StartUp());
  QCOMPARE(w.size(), QSize(590, 391));
  QVERIFY(w.windowFlags().testFlag(Qt::FramelessWindowHint));
  QCOMPARE(w.windowTitle(), QStringLiteral("Quillformer"));
  QVERIFY(!w.FrmSheZhi()->isVisible());
  QVERIFY(!w.OtherOptionsShown());
  for (int i = 1; i <= 6; ++i)
    QCOMPARE(w.Img3(i)->isVisible(), i <= 3);
  QCOMPARE(w.TxtOpen()->font().pointSizeF(), 14.25);
  QCOMPARE(w.TxtOpen()->font().families().constFirst(), QStringLiteral("LiSu"));
}

void MainWindowTest::startWithoutAProjectOnlyShowsTheMessage() {
  f_.Click(f_.Window->Img3(2));
  QCOMPARE(f_.Platform.Messages, QStringList{QStringLiteral("没有选择工程\r\n  请选择")});
  QCOMPARE(f_.Window->TxtOpenText(), ToQString(kHelpText));
  QCOMPARE(f_.Window->Settings(), ProcessingSettings::StartUp());
}

void MainWindowTest::openingThenCancellingLosesTheChoice() {
  f_.Platform.ChosenFile = QStringLiteral("/work/demo/Demo.vbp");
  f_.Click(f_.Window->Img3(1));
  QCOMPARE(f_.Platform.DialogsShown, 1);
  QCOMPARE(f_.Window->ProjectPath(), QStringLiteral("/work/demo/Demo.vbp"));
  QCOMPARE(f_.Window->ProjectFolder(), QStringLiteral("/work/demo/"));
  f_.Platform.ChosenFile.clear();
  f_.Click(f_.Window->Img3(1));
  QVERIFY(f_.Window->ProjectPath().isEmpty());
  QVERIFY(f_.Window->ProjectFolder().isEmpty());
  f_.Click(f_.Window->Img3(2));
  QCOMPARE(f_.Platform.Messages.size(), 1);
  QCOMPARE(f_.Window->TxtOpenText(), ToQString(kHelpText));
}

void MainWindowTest::theFolderEndsWithTheLastSeparator() {
  for (const auto& [path, folder] :
       {std::pair{QStringLiteral("C:\\a\\b\\demo.vbp"), QStringLiteral("C:\\a\\b\\")},
        std::pair{QStringLiteral("C:\\demo.vbp"), QStringLiteral("C:\\")}}) {
    f_.Platform.ChosenFile = path;
    f_.Window->img3_Click(1);
    QCOMPARE(f_.Window->ProjectFolder(), folder);
  }
}

void MainWindowTest::theOtherOptionsHeaderTogglesTheGroups() {
  MainWindow& w = *f_.Window;
  f_.Click(w.Img2(2));
  QVERIFY(w.OtherOptionsShown());
  QCOMPARE(w.Layout(), (GroupLayout{620, 880, 570, true}));
  QCOMPARE(w.Label2()->y(), Px(620));
  QCOMPARE(w.Picture1()->y(), Px(880));
  QCOMPARE(w.Img2(2)->y(), Px(570));
  QCOMPARE(w.Img2(2)->Place().Top, 570);
  for (int i = 1; i <= 6; ++i)
    QCOMPARE(w.Img3(i)->isVisible(), i >= 4);
  QCOMPARE(w.Picture1()->Picture().toImage(), OtherOptionsPicture().toImage());

  f_.Click(w.Img2(2));
  QVERIFY(!w.OtherOptionsShown());
  QCOMPARE(w.Layout(), (GroupLayout{4890, 480, 4850, false}));
  QCOMPARE(w.Label2()->y(), Px(4890));
  QCOMPARE(w.Picture1()->y(), Px(480));
  QCOMPARE(w.Img2(2)->y(), Px(4850));
  for (int i = 1; i <= 6; ++i)
    QCOMPARE(w.Img3(i)->isVisible(), i <= 3);
}

void MainWindowTest::theOperationsHeaderAlwaysReturns() {
  MainWindow& w = *f_.Window;
  f_.Click(w.Img2(1));
  QVERIFY(!w.OtherOptionsShown());
  QCOMPARE(w.Layout(), OperationsLayout());
  f_.Click(w.Img2(2));
  QVERIFY(w.OtherOptionsShown());
  f_.Click(w.Img2(1));
  QVERIFY(!w.OtherOptionsShown());
  QCOMPARE(w.Layout(), OperationsLayout());
}

void MainWindowTest::aboutAndContactReplaceTheText() {
  MainWindow& w = *f_.Window;
  f_.Click(w.Img2(2));
  f_.Click(w.Img3(6));
  QCOMPARE(w.TxtOpenText(), ToQString(kContactText));
  QVERIFY(w.TxtOpenText().contains(ToQString(kContactAddress)));
  QVERIFY(!w.TxtOpenText().endsWith(QStringLiteral("\n")));
  f_.Click(w.Img3(5));
  QCOMPARE(w.TxtOpenText(), ToQString(kHelpText));
}

void MainWindowTest::webPageMinimiseAndClose() {
  MainWindow& w = *f_.Window;
  f_.Click(w.Img1(1));
  f_.Click(w.Img2(2));
  f_.Click(w.Img3(4));
  const QUrl page(QString::fromLatin1(kWebPageAddress.data()));
  QCOMPARE(f_.Platform.OpenedUrls, (QList<QUrl>{page, page}));
  f_.Click(w.Img1(2));
  QCOMPARE(f_.Platform.Minimised, 1);
  QVERIFY(w.isVisible());
  f_.Click(w.Img1(3));
  QVERIFY(!w.isVisible());
}

void MainWindowTest::aRunShowsTheReportInTheTextBox() {
  const test::TempDir dir;
  for (const auto& entry : fs::directory_iterator(QF_EXAMPLES_DIR "/demo"))
    fs::copy_file(entry.path(), dir / entry.path().filename().string());
  const QString folder = QString::fromStdString(dir.Path().string()) + QStringLiteral("/");
  f_.Platform.ChosenFile = folder + QStringLiteral("Demo.vbp");
  f_.Click(f_.Window->Img3(1));
  f_.Click(f_.Window->Img3(2));
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
  QCOMPARE(f_.Window->TxtOpenText(), expected);
  QCOMPARE(f_.Window->TxtOpen()->toPlainText(), AsShown(expected));
  QVERIFY(test::ReadBytes(dir / "modStock.bas").find("'Quillformer By Vendelmark") !=
          std::string::npos);
}

void MainWindowTest::aFailedRunShowsTheCauseAndTheWindowGoesOn() {
  const test::TempDir dir;
  dir.Write("Gap.vbp", "Form=gone.frm\r\n");
  const QString folder = QString::fromStdString(dir.Path().string()) + QStringLiteral("/");
  f_.Platform.ChosenFile = folder + QStringLiteral("Gap.vbp");
  f_.Click(f_.Window->Img3(1));
  f_.Click(f_.Window->Img3(2));
  const QString cause = QStringLiteral("无法打开文件：") + folder +
                        QStringLiteral("gone.frm（No such file or directory）");
  QCOMPARE(f_.Platform.Messages, QStringList{QStringLiteral("处理中断：") + cause});
  QVERIFY(f_.Window->TxtOpenText().endsWith(QStringLiteral("窗体对象\r\n    ") + folder +
                                            QStringLiteral("gone.frm\r\n    ......处理中断：") +
                                            cause + QStringLiteral("\r\n")));
  f_.Click(f_.Window->Img2(2));
  f_.Click(f_.Window->Img3(5));
  QCOMPARE(f_.Window->TxtOpenText(), ToQString(kHelpText));
}

// Switching groups cancels the panel only while it shows: cancelling a
// panel never opened would put 0 and an empty separator into its boxes.
void MainWindowTest::switchingGroupsCancelsOnlyAShowingPanel() {
  MainWindow& w = *f_.Window;
  f_.Click(w.Img2(2));
  f_.Click(w.Img2(1));
  f_.Click(w.Img3(3));
  QCOMPARE(w.FrmSheZhi()->TxtSpace()->text(), QStringLiteral("4"));
  QCOMPARE(w.FrmSheZhi()->TxtChar()->text(), QStringLiteral("#"));
  QTest::mouseClick(w.FrmSheZhi()->CmdOK(), Qt::LeftButton);
  QCOMPARE(w.Settings().IndentWidth, 4);
}

void MainWindowTest::switchingGroupsDiscardsThePanelsEdits() {
  MainWindow& w = *f_.Window;
  SettingsPanel& panel = *w.FrmSheZhi();
  f_.Click(w.Img3(3));
  panel.TxtChar()->setText(QStringLiteral("ab"));
  panel.VScroll1()->setValue(6);
  f_.Click(w.Img2(2));
  QVERIFY(!panel.isVisible());
  QCOMPARE(panel.TxtChar()->text(), QStringLiteral("#"));
  QCOMPARE(panel.TxtSpace()->text(), QStringLiteral("4"));
  QCOMPARE(w.Settings(), ProcessingSettings::StartUp());
  QVERIFY(w.Img3(1)->isEnabled());
  QVERIFY(w.Img3(2)->isEnabled());
}

void MainWindowTest::draggingTheTitleMovesTheWindow() {
  MainWindow& w = *f_.Window;
  PictureBox* title = w.ImgTitle();
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

// Renders the window in its looks to PNG files (build/screenshots), and
// checks by pixel that fills, frames, pictures and texts are where they
// belong.

#include "tests/support/temp_dir.h"
#include "tests/ui/gated_file_system.h"
#include "tests/ui/window_test_support.h"

#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>

using namespace qf;
using namespace qf::ui;

class ScreenshotTest : public QObject {
  Q_OBJECT

private slots:
  void init() { QVERIFY(f_.Create()); }
  /// A held run is let go, and the window goes before its file system.
  void cleanup() {
    if (gate_)
      gate_->Release();
    f_.Window.reset();
    f_.Files = nullptr;
    gate_.reset();
  }

  void operationsWithTheHelpText();
  void otherOptions();
  void hoverFramesLieOnTheOutline();
  void settingsPanelOpen();
  void thePanelIsFilledFlatInsideAnEtchedFrame();
  void theCheckBoxHidesThePreviewBelowIt();
  void duringARun();

private:
  QImage Save(const QString& name) {
    QDir().mkpath(QStringLiteral(QF_SCREENSHOT_DIR));
    const QImage image = f_.Window->grab().toImage();
    const QString path = QStringLiteral(QF_SCREENSHOT_DIR "/") + name;
    if (!image.save(path))
      qWarning("cannot save %s", qPrintable(path));
    return image;
  }
  /// The settings panel open with `separator` typed, saved as `name`.
  QImage SavePanel(const QString& separator, const QString& name) {
    f_.Click(f_.Img("img3", 3));
    f_.Child<QLineEdit>(QStringLiteral("txtChar"))->setText(separator);
    return Save(name);
  }
  QPoint InWindow(const QWidget* control, QPoint local = {}) const {
    return control->mapTo(f_.Window.get(), local);
  }
  static bool Bluish(QRgb pixel) { return qBlue(pixel) > qRed(pixel) + 60; }
  static bool Grey(QRgb pixel) { return pixel == qRgb(224, 224, 224); }
  /// Some pixel in the rectangle is dark: text or a glyph is drawn there.
  static bool HasInk(const QImage& image, QRect area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x)
        if (qGray(image.pixel(x, y)) < 90)
          return true;
    return false;
  }

  std::unique_ptr<test::GatedFileSystem> gate_;
  test::WindowFixture f_;
};

void ScreenshotTest::operationsWithTheHelpText() {
  const QImage image = Save(QStringLiteral("window-operations.png"));
  QCOMPARE(image.size(), QSize(590, 391));
  QVERIFY(Bluish(image.pixel(300, 30)));
  QVERIFY(Grey(image.pixel(140, 200)));
  QVERIFY(HasInk(image, {160, 60, 300, 30})); // the first line of the help text
  QVERIFY(HasInk(image, {20, 80, 60, 40}));   // the open-project icon
}

void ScreenshotTest::otherOptions() {
  f_.Click(f_.Img("img2", 2));
  const QImage image = Save(QStringLiteral("window-other-options.png"));
  QVERIFY(HasInk(image, {40, 110, 60, 40})); // the web-page entry
}

// Each segment is 2 pixels wide and lies on the hotspot's outline: the top
// one covers the rows T and T + 1, the left one the columns L and L + 1.
void ScreenshotTest::hoverFramesLieOnTheOutline() {
  Hotspot* start = f_.Img("img3", 2);
  QTest::mouseMove(f_.Window.get(), InWindow(start, start->rect().center()));
  QTRY_VERIFY(f_.Frame("lPic")[0]->isVisible());
  const QImage image = Save(QStringLiteral("window-hover.png"));
  const TwipsRect& r = start->Place();
  const QPoint origin = InWindow(start->parentWidget());
  const int left = origin.x() + Px(r.Left), top = origin.y() + Px(r.Top);
  const int right = origin.x() + Px(r.Left + r.Width), bottom = origin.y() + Px(r.Top + r.Height);
  const int midX = (left + right) / 2, midY = (top + bottom) / 2;
  const QRgb darkRed = qRgb(135, 0, 0), magenta = qRgb(255, 0, 255);
  QCOMPARE(image.pixel(midX, top), darkRed);
  QCOMPARE(image.pixel(midX, top + 1), darkRed);
  QCOMPARE(image.pixel(left, midY), darkRed);
  QCOMPARE(image.pixel(left + 1, midY), darkRed);
  QCOMPARE(image.pixel(midX, bottom), magenta);
  QCOMPARE(image.pixel(midX, bottom + 1), magenta);
  QCOMPARE(image.pixel(right, midY), magenta);
  QCOMPARE(image.pixel(right + 1, midY), magenta);
  for (const QPoint outside : {QPoint(midX, top - 1), QPoint(midX, top + 2), QPoint(left - 1, midY),
                               QPoint(midX, bottom + 2), QPoint(right + 2, midY)})
    QVERIFY2(image.pixel(outside) != darkRed && image.pixel(outside) != magenta,
             qPrintable(QStringLiteral("(%1, %2)").arg(outside.x()).arg(outside.y())));
}

void ScreenshotTest::settingsPanelOpen() {
  f_.Click(f_.Img("img3", 3));
  const QImage image = Save(QStringLiteral("window-settings.png"));
  QVERIFY(HasInk(image, {300, 160, 200, 60})); // the preview
  SavePanel(QStringLiteral("ReMaxNum"), QStringLiteral("window-settings-remaxnum.png"));
  SavePanel(QStringLiteral("中文"), QStringLiteral("window-settings-chinese.png"));
}

// Every pixel of the panel outside its controls, its frame and its caption
// is the window's colour exactly (a widget style shades group boxes). The
// frame is etched: a dark line with a light one inside it, its top edge
// through the middle of the caption's line.
void ScreenshotTest::thePanelIsFilledFlatInsideAnEtchedFrame() {
  f_.Click(f_.Img("img3", 3));
  const QImage image = Save(QStringLiteral("window-settings.png"));
  SettingsPanel* panel = f_.Panel();
  const QRect inPanel(InWindow(panel), panel->size());
  const int frameTop = QFontMetrics(panel->font()).height() / 2;
  const QRect inside = inPanel.adjusted(2, frameTop + 2, -2, -2);
  const QFontMetrics metrics(panel->font());
  // The caption, with room for the edges of its glyphs.
  QRegion controls(QRect(inPanel.topLeft(), QSize(metrics.horizontalAdvance(panel->title()) + 16,
                                                  metrics.height() + 2)));
  for (const QWidget* control : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    controls += QRect(InWindow(control), control->size());
  int checked = 0;
  for (int y = inside.top(); y <= inside.bottom(); ++y)
    for (int x = inside.left(); x <= inside.right(); ++x)
      if (!controls.contains(QPoint(x, y))) {
        QVERIFY2(Grey(image.pixel(x, y)),
                 qPrintable(
                     QStringLiteral("(%1, %2) is %3").arg(x).arg(y).arg(image.pixel(x, y), 0, 16)));
        ++checked;
      }
  QVERIFY(checked > inside.width() * inside.height() / 2);

  const QRgb dark = panel->palette().color(QPalette::Dark).rgb();
  const QRgb light = panel->palette().color(QPalette::Light).rgb();
  const int midY = inPanel.center().y();
  QCOMPARE(image.pixel(inPanel.left(), midY), dark);
  QCOMPARE(image.pixel(inPanel.left() + 1, midY), light);
  QCOMPARE(image.pixel(inPanel.right() - 1, midY), dark);
  QCOMPARE(image.pixel(inPanel.right(), midY), light);
  QCOMPARE(image.pixel(inPanel.center().x(), inPanel.top() + frameTop), dark);
  QCOMPARE(image.pixel(inPanel.center().x(), inPanel.top() + frameTop + 1), light);
  QVERIFY(Grey(image.pixel(inPanel.center().x(), inPanel.top() + frameTop - 1)));
  QVERIFY(HasInk(image, QRect(inPanel.topLeft(), QSize(60, frameTop * 2)))); // the caption
}

// The check box lies over the preview's lower edge and is opaque: what it
// covers looks the same whatever the preview holds beneath it.
void ScreenshotTest::theCheckBoxHidesThePreviewBelowIt() {
  f_.Click(f_.Img("img3", 3));
  auto* check1 = f_.Child<QCheckBox>(QStringLiteral("Check1"));
  const QRect area(InWindow(check1), check1->size());
  const QImage empty = f_.Window->grab().toImage().copy(area);
  f_.Child<QPlainTextEdit>(QStringLiteral("Text1"))->setPlainText(QString(600, QChar(u'国')));
  const QImage full = f_.Window->grab().toImage();
  QVERIFY(HasInk(full, {area.left(), area.top() - 12, area.width(), 10})); // preview runs there
  QCOMPARE(full.copy(area), empty);
}

// A run of 5 forms and 15 modules held at its tenth module: the report so
// far, its view at its end, the commands that would disturb the run off.
void ScreenshotTest::duringARun() {
  const test::TempDir dir;
  const std::string form = test::ReadBytes(QF_EXAMPLES_DIR "/demo/frmMain.frm");
  const std::string module = test::ReadBytes(QF_EXAMPLES_DIR "/demo/modStock.bas");
  std::string project = "Type=Exe\r\nName=\"Inventory\"\r\nStartup=\"frmMain01\"\r\n"
                        "MajorVer=2\r\nMinorVer=0\r\nRevisionVer=14\r\n"
                        "VersionCompanyName=\"Acme, Inc.\"\r\n";
  for (int i = 1; i <= 5; ++i) {
    const std::string name = "frmMain0" + std::to_string(i) + ".frm";
    dir.Write(name, form);
    project += "Form=" + name + "\r\n";
  }
  for (int i = 1; i <= 15; ++i) {
    const std::string name = (i < 10 ? "modStock0" : "modStock") + std::to_string(i);
    dir.Write(name + ".bas", module);
    project += "Module=" + name + "; " + name + ".bas\r\n";
  }
  dir.Write("Inventory.vbp", project);
  gate_ = std::make_unique<test::GatedFileSystem>("modStock10.bas");
  f_.Files = gate_.get();
  QVERIFY(f_.Restart());
  f_.Platform.ChosenFile = QString::fromStdString((dir / "Inventory.vbp").string());
  f_.Click(f_.Img("img3", 1));
  QSignalSpy ended(f_.Window.get(), &MainWindow::RunEnded);
  f_.Click(f_.Img("img3", 2));
  QTRY_VERIFY_WITH_TIMEOUT(gate_->Reached(), 20000);
  QTRY_VERIFY(f_.TxtOpen()->toPlainText().endsWith(QStringLiteral("modStock09.bas\n")));

  const QImage image = Save(QStringLiteral("window-running.png"));
  const QScrollBar* bar = f_.TxtOpen()->verticalScrollBar();
  QVERIFY(bar->maximum() > 0);
  QCOMPARE(bar->value(), bar->maximum());
  QVERIFY(HasInk(image, {160, 300, 300, 40})); // the latest lines, at the bottom
  for (int i = 1; i <= 3; ++i)
    QVERIFY(!f_.Img("img3", i)->isEnabled());
  gate_->Release();
  QVERIFY(ended.wait(60000));
}

QTEST_MAIN(ScreenshotTest)
#include "screenshot_test.moc"

// Renders the window in its three looks to PNG files, and checks that the
// pictures and texts are where they belong.

#include "tests/ui/window_test_support.h"
#include "ui/settings_panel.h"

#include <QDir>
#include <QImage>
#include <QTest>

using namespace qf;

class ScreenshotTest : public QObject {
  Q_OBJECT

private slots:
  void init() { QVERIFY(f_.Create()); }
  void cleanup() { f_.Window.reset(); }

  void operationsWithTheHelpText();
  void otherOptions();
  void settingsPanelOpen();

private:
  QImage Save(const QString& name) {
    QDir().mkpath(QStringLiteral(QF_SCREENSHOT_DIR));
    const QImage image = f_.Window->grab().toImage();
    const QString path = QStringLiteral(QF_SCREENSHOT_DIR "/") + name;
    if (!image.save(path))
      qWarning("cannot save %s", qPrintable(path));
    return image;
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
  f_.Click(f_.Window->Img2(2));
  const QImage image = Save(QStringLiteral("window-other-options.png"));
  QVERIFY(HasInk(image, {40, 110, 60, 40})); // the web-page entry
}

void ScreenshotTest::settingsPanelOpen() {
  f_.Click(f_.Window->Img3(3));
  const QImage image = Save(QStringLiteral("window-settings.png"));
  QVERIFY(HasInk(image, {300, 160, 200, 60})); // the preview
  QVERIFY(!HasInk(image, {160, 60, 120, 8}) || f_.Window->FrmSheZhi()->isVisible());
}

QTEST_MAIN(ScreenshotTest)
#include "screenshot_test.moc"

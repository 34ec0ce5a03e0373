// Renders the window in its looks to PNG files (build/screenshots), and
// checks by pixel that fills, frames, pictures and texts are where they
// belong, and that the captions show their own glyphs, not the boxes a
// font draws for characters it lacks. Each check is one that the state
// before the action it tests fails.

#include "tests/support/temp_dir.h"
#include "tests/ui/gated_file_system.h"
#include "tests/ui/window_test_support.h"

#include <QCheckBox>
#include <QDir>
#include <QGlyphRun>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextLayout>
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
  void captionsShowTheirOwnGlyphs();
  void duringARun();

private:
  /// A caption as its control draws it: the text, where in the control it
  /// goes (the area the style gives it) and how it is aligned there.
  struct Caption {
    QWidget* Control;
    QString Text;
    QRect Area;
    int Flags;
  };

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

  /// The window's captions (the settings panel's when it shows).
  std::vector<Caption> Captions() const {
    std::vector<Caption> captions;
    for (QLabel* label : f_.Window->findChildren<QLabel*>())
      if (label->isVisible())
        captions.push_back({label, label->text(), label->contentsRect(),
                            int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0)});
    for (QAbstractButton* button : f_.Window->findChildren<QAbstractButton*>()) {
      if (!button->isVisible())
        continue;
      const bool push = qobject_cast<QPushButton*>(button) != nullptr;
      QStyleOptionButton option;
      option.initFrom(button);
      option.text = button->text();
      // A push button's text may run past the contents area into its
      // margin; its frame, 2 pixels wide, stays out.
      const QRect area =
          push ? button->rect().adjusted(2, 2, -2, -2)
               : button->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, button);
      captions.push_back({button, button->text(), area,
                          push ? int(Qt::AlignCenter) : int(Qt::AlignLeft | Qt::AlignVCenter)});
    }
    SettingsPanel* panel = f_.Panel();
    if (panel->isVisible()) {
      // The frame's caption, where the panel paints it: 8 pixels in, with a
      // gap of 2 on either side.
      const QFontMetrics metrics(panel->font());
      captions.push_back(
          {panel, panel->title(),
           QRect(8, 0, metrics.horizontalAdvance(panel->title()) + 4, metrics.height()),
           int(Qt::AlignCenter)});
    }
    return captions;
  }
  /// `caption`'s text drawn alone, as its control draws it: in its font and
  /// colour, on the window's grey, in a box the size of its area. A push
  /// button, whose style draws its text smoothed on a shaded face, is drawn
  /// whole by its style with that text.
  static QImage Drawn(const Caption& caption, const QString& text) {
    const QWidget* control = caption.Control;
    if (const auto* button = qobject_cast<const QPushButton*>(control)) {
      QImage image(button->size(), QImage::Format_RGB32);
      image.fill(qRgb(224, 224, 224));
      QPainter painter(&image);
      painter.setFont(button->font());
      QStyleOptionButton option;
      option.initFrom(button);
      option.text = text;
      option.features = button->isDefault() ? QStyleOptionButton::DefaultButton
                                            : QStyleOptionButton::AutoDefaultButton;
      if (!button->isDown())
        option.state |= QStyle::State_Raised;
      button->style()->drawControl(QStyle::CE_PushButton, &option, &painter, button);
      return image.copy(caption.Area);
    }
    QImage image(caption.Area.size(), QImage::Format_RGB32);
    image.fill(qRgb(224, 224, 224));
    QPainter painter(&image);
    painter.setFont(control->font());
    painter.setPen(control->palette().color(
        control->isEnabled() ? QPalette::Active : QPalette::Disabled, control->foregroundRole()));
    painter.drawText(image.rect(), caption.Flags, text);
    return image;
  }
  /// The same text with each character outside Latin-1 replaced by one that
  /// no font has: what a font without Chinese glyphs would show.
  static QString AsMissingGlyphs(const QString& text) {
    QString boxes;
    for (const QChar c : text)
      boxes += c.unicode() < 0x100 ? QString(c) : QString::fromUcs4(U"\U0010FFFD", 1);
    return boxes;
  }
  /// The characters of `text` that no font Qt picks for `font` has a glyph
  /// for: each is laid out as glyph 0, the missing-glyph box.
  static QString Unrenderable(const QString& text, const QFont& font) {
    QString missing;
    for (const char32_t c : text.toUcs4()) {
      const QString character = QString::fromUcs4(&c, 1);
      if (character.front().isSpace() || character.front().category() == QChar::Other_Control)
        continue;
      QTextLayout layout(character, font);
      layout.beginLayout();
      layout.createLine();
      layout.endLayout();
      for (const QGlyphRun& run : layout.glyphRuns())
        if (run.glyphIndexes().contains(0u))
          missing += character;
    }
    return missing;
  }
  /// The ink of an image (pixels much darker than the window's grey: text
  /// in black or in the disabled grey) as a black-on-white mask cropped to
  /// its bounding box: two renderings of one text give the same mask
  /// wherever each was drawn.
  static QImage InkMask(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (qGray(image.pixel(x, y)) < 150)
          box |= QRect(x, y, 1, 1);
    QImage mask(box.size(), QImage::Format_Grayscale8);
    mask.fill(255);
    for (int y = 0; y < box.height(); ++y)
      for (int x = 0; x < box.width(); ++x)
        if (qGray(image.pixel(box.left() + x, box.top() + y)) < 150)
          mask.setPixel(x, y, qRgb(0, 0, 0));
    return mask;
  }
  /// How many pixels of two ink masks differ; masks of different sizes
  /// differ in all the pixels of the larger.
  static qsizetype InkDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
      return std::max(qsizetype(a.width()) * a.height(), qsizetype(b.width()) * b.height());
    qsizetype differ = 0;
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x)
        differ += a.pixel(x, y) != b.pixel(x, y);
    return differ;
  }

  /// Two ink masks are of one text: of one size, and differing in at most
  /// 2 % of their pixels (room for smoothing that blends differently).
  static bool SameInk(const QImage& a, const QImage& b) {
    return a.size() == b.size() && InkDifference(a, b) * 50 <= qsizetype(a.width()) * a.height();
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

// The group picture changes from the operations to the other options.
void ScreenshotTest::otherOptions() {
  const QRect entry(40, 110, 60, 40); // the web-page entry
  const QImage before = f_.Window->grab().toImage();
  f_.Click(f_.Img("img2", 2));
  const QImage image = Save(QStringLiteral("window-other-options.png"));
  QVERIFY(HasInk(image, entry));
  QVERIFY(image.copy(entry) != before.copy(entry));
}

// Each segment is 2 pixels wide and lies on the hotspot's outline: the top
// one covers the rows T and T + 1, the left one the columns L and L + 1.
void ScreenshotTest::hoverFramesLieOnTheOutline() {
  Hotspot* start = f_.Img("img3", 2);
  const QImage before = f_.Window->grab().toImage();
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
  for (const QPoint edge :
       {QPoint(midX, top), QPoint(left, midY), QPoint(midX, bottom), QPoint(right, midY)})
    QVERIFY(before.pixel(edge) != darkRed && before.pixel(edge) != magenta);
  for (const QPoint outside : {QPoint(midX, top - 1), QPoint(midX, top + 2), QPoint(left - 1, midY),
                               QPoint(midX, bottom + 2), QPoint(right + 2, midY)})
    QVERIFY2(image.pixel(outside) != darkRed && image.pixel(outside) != magenta,
             qPrintable(QStringLiteral("(%1, %2)").arg(outside.x()).arg(outside.y())));
}

// The preview shows where the help text was.
void ScreenshotTest::settingsPanelOpen() {
  const QRect preview(300, 160, 200, 60);
  const QImage before = f_.Window->grab().toImage();
  f_.Click(f_.Img("img3", 3));
  const QImage image = Save(QStringLiteral("window-settings.png"));
  QVERIFY(HasInk(image, preview));
  QVERIFY(image.copy(preview) != before.copy(preview));
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

// Each caption's box shows the ink of its own text drawn alone in its font,
// and not that of the boxes a font draws for characters it lacks; every
// character of the captions and of the text boxes has a glyph in the fonts
// Qt picks for it.
void ScreenshotTest::captionsShowTheirOwnGlyphs() {
  const QImage closed = f_.Window->grab().toImage();
  f_.Click(f_.Img("img3", 3)); // the panel's captions show
  const QImage image = Save(QStringLiteral("window-settings.png"));
  const std::vector<Caption> captions = Captions();
  // 2 headers, 5 labels, the check box, 3 buttons and the frame's caption.
  QCOMPARE(captions.size(), std::size_t{12});
  for (const Caption& caption : captions) {
    const QString name = caption.Control->objectName();
    const QRect box(InWindow(caption.Control, caption.Area.topLeft()), caption.Area.size());
    const QImage shown = InkMask(image.copy(box));
    const QImage drawn = InkMask(Drawn(caption, caption.Text));
    QVERIFY2(!drawn.isNull(), qPrintable(name)); // it has ink
    QVERIFY2(SameInk(shown, drawn),
             qPrintable(QStringLiteral("%1: %2 pixels differ from \"%3\" drawn alone")
                            .arg(name)
                            .arg(InkDifference(shown, drawn))
                            .arg(caption.Text)));
    QVERIFY2(!SameInk(shown, InkMask(Drawn(caption, AsMissingGlyphs(caption.Text)))),
             qPrintable(name + QStringLiteral(" shows the boxes of missing glyphs")));
    const QString missing = Unrenderable(caption.Text, caption.Control->font());
    QVERIFY2(missing.isEmpty(), qPrintable(name + QStringLiteral(" has no glyph for ") + missing));
  }
  // The panel's captions were not there before it opened.
  for (const Caption& caption : captions)
    if (caption.Control == f_.Panel() || caption.Control->parentWidget() == f_.Panel()) {
      const QRect box(InWindow(caption.Control, caption.Area.topLeft()), caption.Area.size());
      QVERIFY2(InkDifference(InkMask(closed.copy(box)), InkMask(image.copy(box))) > 0,
               qPrintable(caption.Control->objectName()));
    }
  for (const char* name : {"txtOpen", "Text1"}) {
    const auto* box = f_.Child<QPlainTextEdit>(QString::fromLatin1(name));
    QVERIFY2(Unrenderable(box->toPlainText(), box->font()).isEmpty(), name);
  }
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
  const QRect latest(160, 300, 300, 40); // the latest lines, at the bottom
  const QImage before = f_.Window->grab().toImage();
  for (int i = 1; i <= 3; ++i)
    QVERIFY(f_.Img("img3", i)->isEnabled());
  QCOMPARE(f_.TxtOpen()->verticalScrollBar()->maximum(), 0);
  f_.Click(f_.Img("img3", 2));
  QTRY_VERIFY_WITH_TIMEOUT(gate_->Reached(), 20000);
  QTRY_VERIFY(f_.TxtOpen()->toPlainText().endsWith(QStringLiteral("modStock09.bas\n")));

  const QImage image = Save(QStringLiteral("window-running.png"));
  const QScrollBar* bar = f_.TxtOpen()->verticalScrollBar();
  QVERIFY(bar->maximum() > 0);
  QCOMPARE(bar->value(), bar->maximum());
  QVERIFY(HasInk(image, latest));
  QVERIFY(image.copy(latest) != before.copy(latest));
  for (int i = 1; i <= 3; ++i)
    QVERIFY(!f_.Img("img3", i)->isEnabled());
  gate_->Release();
  QVERIFY(ended.wait(60000));
}

QTEST_MAIN(ScreenshotTest)
#include "screenshot_test.moc"

// Every text of the window and the settings panel fits its box with the
// font in use: measured with QFontMetrics against the box, the way the
// widget style lays the text out. ctest runs it at 96 dpi and again at
// 150 % (QT_SCALE_FACTOR=1.5).

#include "tests/ui/window_test_support.h"

#include <QAbstractTextDocumentLayout>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextBlock>

using namespace qf;
using namespace qf::ui;

class TextFitTest : public QObject {
  Q_OBJECT

private slots:
  void init() {
    QVERIFY(f_.Create());
    f_.Click(f_.Img("img3", 3)); // the panel shows
  }
  void cleanup() { f_.Window.reset(); }

  void everyCaptionFitsItsBox();
  void theTextBoxesShowTheirLongestValuesWhole();
  void thePreviewShowsEachLineOfALatinSeparatorOnOneLine();
  void aChineseSeparatorWrapsTheFrameLinesOnly();
  void theHelpAndContactTextsNeedNoScrolling();

private:
  /// Whether `needed` lies inside `box`; logs the control, both sizes and
  /// the text, so a failure shows which text overflows and by how much.
  static bool Fits(const QWidget* control, const QString& text, QRect box, QRect needed) {
    qInfo("%-10s %4d x %-3d in %4d x %-3d %s", qPrintable(control->objectName()), needed.width(),
          needed.height(), box.width(), box.height(), qPrintable(text));
    return box.contains(needed);
  }
  /// The area of a line edit that shows text: inside the frame, less the
  /// fixed margins Qt keeps (2 pixels left and right, 1 above and below).
  static QRect TextArea(const QLineEdit* box) {
    const int frame =
        box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box) : 0;
    return box->rect().adjusted(frame + 2, frame + 1, -frame - 2, -frame - 1);
  }
  static QTextBlock Block(const QPlainTextEdit* edit, int number) {
    const QTextBlock block = edit->document()->findBlockByNumber(number);
    edit->document()->documentLayout()->blockBoundingRect(block); // lays it out
    return block;
  }
  QPlainTextEdit* Text1() const { return f_.Child<QPlainTextEdit>(QStringLiteral("Text1")); }

  test::WindowFixture f_;
};

void TextFitTest::everyCaptionFitsItsBox() {
  int checked = 0;
  for (const QLabel* label : f_.Window->findChildren<QLabel*>()) {
    const QRect box = label->contentsRect();
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    QVERIFY(Fits(label, label->text(), box,
                 label->fontMetrics().boundingRect(box, flags, label->text())));
    ++checked;
  }
  for (const QAbstractButton* button : f_.Window->findChildren<QAbstractButton*>()) {
    const bool push = qobject_cast<const QPushButton*>(button) != nullptr;
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    if (push)
      option.features = static_cast<const QPushButton*>(button)->isDefault()
                            ? QStyleOptionButton::DefaultButton
                            : QStyleOptionButton::AutoDefaultButton;
    const QRect box = button->style()->subElementRect(
        push ? QStyle::SE_PushButtonContents : QStyle::SE_CheckBoxContents, &option, button);
    const int align =
        (push ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter) | Qt::TextShowMnemonic;
    QVERIFY(Fits(button, button->text(), box,
                 button->fontMetrics().boundingRect(box, align, button->text())));
    ++checked;
  }
  QCOMPARE(checked, 7 + 4); // Label1..7; cmdSave, cmdOK, cmdCancle, Check1
}

// The indent box shows up to "100"; the separator box eight characters,
// Latin ones whole (a box of 975 twips cannot show eight Chinese ones, in
// the design either).
void TextFitTest::theTextBoxesShowTheirLongestValuesWhole() {
  const auto check = [](QLineEdit* box, const QString& text) {
    box->setText(text);
    box->end(false); // the cursor after the last character, as after typing
    const QRect area = TextArea(box);
    const QFontMetrics metrics = box->fontMetrics();
    const QRect needed(area.topLeft(),
                       QSize(metrics.horizontalAdvance(text) + 1, metrics.height()));
    QVERIFY(Fits(box, text, area, needed));
    // Nothing scrolled out of sight: the first character is at the left.
    QCOMPARE(box->cursorPositionAt({area.left() + 1, area.center().y()}), 0);
  };
  auto* txtSpace = f_.Child<QLineEdit>(QStringLiteral("txtSpace"));
  check(txtSpace, QStringLiteral("100"));
  auto* txtChar = f_.Child<QLineEdit>(QStringLiteral("txtChar"));
  for (const QString& text :
       {QStringLiteral("ReMaxNum"), QStringLiteral("WWWWWWWW"), QStringLiteral("@@@@@@@@")})
    check(txtChar, text);
}

// Each of the six lines stays one line, the 67-character frame lines too,
// and all six lie above the check box that covers the box's lower edge.
void TextFitTest::thePreviewShowsEachLineOfALatinSeparatorOnOneLine() {
  auto* txtChar = f_.Child<QLineEdit>(QStringLiteral("txtChar"));
  const QWidget* check1 = f_.Child(QStringLiteral("Check1"));
  for (const QString& separator :
       {QStringLiteral("#"), QString(), QStringLiteral("ReMaxNum"), QStringLiteral("WWWWWWWW"),
        QStringLiteral("mM@%"), QStringLiteral("i")}) {
    txtChar->setText(separator);
    // Six lines; the start-up preview ("#" unchanged) has a line break after
    // the sixth.
    const int lines = Text1()->document()->blockCount();
    QVERIFY(lines == 6 || (lines == 7 && Text1()->document()->lastBlock().text().isEmpty()));
    for (int line = 0; line < 6; ++line)
      QVERIFY2(Block(Text1(), line).layout()->lineCount() == 1,
               qPrintable(QStringLiteral("\"%1\", line %2").arg(separator).arg(line + 1)));
    QTextCursor last(Block(Text1(), 5));
    const int bottom =
        Text1()->viewport()->mapTo(f_.Window.get(), Text1()->cursorRect(last).bottomLeft()).y();
    QVERIFY(bottom < check1->mapTo(f_.Window.get(), QPoint()).y());
  }
}

// A Chinese character is twice as wide: the 67-character frame lines wrap
// into two lines, as in the design's box; the labelled lines do not.
void TextFitTest::aChineseSeparatorWrapsTheFrameLinesOnly() {
  f_.Child<QLineEdit>(QStringLiteral("txtChar"))->setText(QStringLiteral("中文"));
  const std::array<int, 6> expected = {2, 1, 1, 1, 1, 2};
  for (int line = 0; line < 6; ++line)
    QCOMPARE(Block(Text1(), line).layout()->lineCount(), expected[std::size_t(line)]);
}

void TextFitTest::theHelpAndContactTextsNeedNoScrolling() {
  QPlainTextEdit* txtOpen = f_.TxtOpen();
  const QFontMetrics metrics = txtOpen->fontMetrics();
  const int margin = int(txtOpen->document()->documentMargin());
  const QRect box = txtOpen->viewport()->rect().adjusted(margin, margin, -margin, -margin);
  for (const std::u16string_view text : {kHelpText, kContactText}) {
    const QStringList lines = test::Shown(text).split(QLatin1Char('\n'));
    QVERIFY(lines.size() * metrics.lineSpacing() <= box.height());
    for (const QString& line : lines)
      QVERIFY(Fits(txtOpen, line, box,
                   QRect(box.topLeft(), QSize(metrics.horizontalAdvance(line), metrics.height()))));
  }
}

QTEST_MAIN(TextFitTest)
#include "text_fit_test.moc"

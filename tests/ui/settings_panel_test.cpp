// The settings panel inside a fresh main window per test.

#include "tests/ui/window_test_support.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace qf;
using namespace qf::ui;

class SettingsPanelTest : public QObject {
  Q_OBJECT

private slots:
  void init() {
    QVERIFY(f_.Create());
    panel_ = f_.Panel();
    committed_ = std::make_unique<QSignalSpy>(panel_, &SettingsPanel::Committed);
    f_.Click(f_.Img("img3", 3));
    QVERIFY(panel_->isVisible());
  }
  void cleanup() {
    committed_.reset();
    f_.Window.reset();
  }

  void theFirstOpeningShowsTheStartUpBoxesAndPreview();
  void typingChangesThePreviewAtOnce();
  void aNinthCharacterCannotBeTyped();
  void anEmptySeparatorPreviewsAndCommitsHashes();
  void okWithoutEditsCommitsFourteenHashes();
  void theArrowsStepTheIndentWithinZeroToHundred();
  void cancelShowsTheOpeningIndentWhileTheScrollBarStays();
  void cancelRestoresTheSeparatorAndItsPreview();
  void openAndStartAreDisabledWhileThePanelShows();
  void openingAgainTakesTheCurrentBoxes();
  void enterClicksTheFocusedButtonElseOk();
  void tabLeavesThePreview();

private:
  static QString Preview(std::u16string_view unit, std::u16string_view line) {
    return AsShown(ToQString(PreviewText(unit, line)));
  }
  QLineEdit* TxtSpace() const { return f_.Child<QLineEdit>(QStringLiteral("txtSpace")); }
  QLineEdit* TxtChar() const { return f_.Child<QLineEdit>(QStringLiteral("txtChar")); }
  QPlainTextEdit* Text1() const { return f_.Child<QPlainTextEdit>(QStringLiteral("Text1")); }
  QPushButton* Button(const char* name) const {
    return f_.Child<QPushButton>(QString::fromLatin1(name));
  }
  void Ok() { QTest::mouseClick(Button("cmdOK"), Qt::LeftButton); }
  void Cancel() { QTest::mouseClick(Button("cmdCancle"), Qt::LeftButton); }
  void Arrow(QAbstractSlider::SliderAction action, int times = 1) {
    for (int i = 0; i < times; ++i)
      f_.Child<QScrollBar>(QStringLiteral("VScroll1"))->triggerAction(action);
  }
  /// A key pressed on the keyboard: the window system hands it to the
  /// window, which gives it to the focused control (shortcuts first).
  void Press(QWidget* focus, Qt::Key key) {
    focus->setFocus();
    QTRY_VERIFY(focus->hasFocus());
    QTest::keyClick(f_.Window->windowHandle(), key);
  }
  /// The committed indent width and separator unit of OK number `i`.
  std::pair<int, std::u16string> Commit(qsizetype i) const {
    const QList<QVariant>& arguments = committed_->at(i);
    return {arguments[0].value<std::int16_t>(), arguments[1].value<Separators>().Unit};
  }
  std::u16string CommittedLine(qsizetype i) const {
    return committed_->at(i).at(1).value<Separators>().Line;
  }

  test::WindowFixture f_;
  SettingsPanel* panel_ = nullptr;
  std::unique_ptr<QSignalSpy> committed_;
};

void SettingsPanelTest::theFirstOpeningShowsTheStartUpBoxesAndPreview() {
  QCOMPARE(panel_->title(), QStringLiteral("相关设置"));
  QCOMPARE(TxtSpace()->text(), QStringLiteral("4"));
  QVERIFY(TxtSpace()->isReadOnly());
  QCOMPARE(f_.Child<QScrollBar>(QStringLiteral("VScroll1"))->value(), 4);
  QCOMPARE(TxtChar()->text(), QStringLiteral("#"));
  QCOMPARE(Text1()->toPlainText(),
           Preview(std::u16string(14, u'#'), std::u16string(66, u'#')) + QStringLiteral("\n"));
  QCOMPARE(Button("cmdOK")->text(), QStringLiteral("确  定"));
  QCOMPARE(Button("cmdCancle")->text(), QStringLiteral("取  消"));
  QCOMPARE(Button("cmdSave")->text(), QStringLiteral("保存为默认设置"));
  QVERIFY(Button("cmdSave")->isEnabled());
  QCOMPARE(panel_->geometry(), f_.TxtOpen()->parentWidget()->rect());
}

void SettingsPanelTest::typingChangesThePreviewAtOnce() {
  TxtChar()->clear();
  QTest::keyClicks(TxtChar(), QStringLiteral("c"));
  QCOMPARE(Text1()->toPlainText(), Preview(std::u16string(14, u'c'), std::u16string(66, u'c')));
  QTest::keyClicks(TxtChar(), QStringLiteral("=-"));
  const QStringList lines = Text1()->toPlainText().split(QLatin1Char('\n'));
  QCOMPARE(lines.size(), 6);
  QCOMPARE(lines[2], QStringLiteral("'c=-c=-c=-c=-c= 参数：Number1  为 Long型"));
  QCOMPARE(lines[4], QStringLiteral("'c=-c=-c=-c=-c= 返回类型 为 Long型"));
}

void SettingsPanelTest::aNinthCharacterCannotBeTyped() {
  QLineEdit* box = TxtChar();
  box->clear();
  box->setFocus();
  QInputMethodEvent typed;
  typed.setCommitString(QStringLiteral("一二三四五六七八九"));
  QApplication::sendEvent(box, &typed);
  QCOMPARE(box->text(), QStringLiteral("一二三四五六七八"));
  QTest::keyClicks(box, QStringLiteral("x"));
  QCOMPARE(box->text(), QStringLiteral("一二三四五六七八"));
  Ok();
  QCOMPARE(Commit(0).second, u"一二三四五六七八一二三四五六");
}

void SettingsPanelTest::anEmptySeparatorPreviewsAndCommitsHashes() {
  TxtChar()->clear();
  QCOMPARE(Text1()->toPlainText(), Preview(std::u16string(14, u'#'), std::u16string(66, u'#')));
  Ok();
  QCOMPARE(Commit(0).second, std::u16string(14, u'#'));
  QCOMPARE(CommittedLine(0), std::u16string(66, u'#'));
}

void SettingsPanelTest::okWithoutEditsCommitsFourteenHashes() {
  QSignalSpy closed(panel_, &SettingsPanel::Closed);
  Ok();
  QCOMPARE(closed.count(), 1);
  QVERIFY(!panel_->isVisible());
  QCOMPARE(committed_->count(), 1);
  QCOMPARE(Commit(0), std::pair(4, std::u16string(14, u'#')));
  QCOMPARE(CommittedLine(0), std::u16string(66, u'#'));
}

void SettingsPanelTest::theArrowsStepTheIndentWithinZeroToHundred() {
  Arrow(QAbstractSlider::SliderSingleStepAdd);
  QCOMPARE(TxtSpace()->text(), QStringLiteral("5"));
  Arrow(QAbstractSlider::SliderSingleStepSub, 10);
  QCOMPARE(TxtSpace()->text(), QStringLiteral("0"));
  Arrow(QAbstractSlider::SliderSingleStepAdd, 150);
  QCOMPARE(TxtSpace()->text(), QStringLiteral("100"));
  Ok();
  QCOMPARE(Commit(0).first, 100);
}

void SettingsPanelTest::cancelShowsTheOpeningIndentWhileTheScrollBarStays() {
  Arrow(QAbstractSlider::SliderSingleStepAdd, 2);
  QCOMPARE(TxtSpace()->text(), QStringLiteral("6"));
  Cancel();
  QCOMPARE(TxtSpace()->text(), QStringLiteral("4"));
  QCOMPARE(f_.Child<QScrollBar>(QStringLiteral("VScroll1"))->value(), 6);
  QCOMPARE(committed_->count(), 0);
  f_.Click(f_.Img("img3", 3));
  Ok();
  QCOMPARE(Commit(0).first, 4); // OK commits what the box shows
  f_.Click(f_.Img("img3", 3));
  Arrow(QAbstractSlider::SliderSingleStepAdd);
  QCOMPARE(TxtSpace()->text(), QStringLiteral("7"));
}

void SettingsPanelTest::cancelRestoresTheSeparatorAndItsPreview() {
  TxtChar()->setText(QStringLiteral("*+"));
  Cancel();
  QCOMPARE(TxtChar()->text(), QStringLiteral("#"));
  QCOMPARE(Text1()->toPlainText(), Preview(std::u16string(14, u'#'), std::u16string(66, u'#')));
  QCOMPARE(committed_->count(), 0);
}

void SettingsPanelTest::openAndStartAreDisabledWhileThePanelShows() {
  f_.Platform.ChosenFile = QStringLiteral("/x/Demo.vbp");
  f_.Click(f_.Img("img3", 1));
  f_.Click(f_.Img("img3", 2));
  QCOMPARE(f_.Platform.DialogsShown, 0);
  QVERIFY(f_.Platform.Messages.isEmpty());
  f_.Click(f_.Img("img3", 3)); // the settings hotspot still works
  QVERIFY(panel_->isVisible());
  Cancel();
  f_.Click(f_.Img("img3", 1));
  QCOMPARE(f_.Platform.DialogsShown, 1);
}

void SettingsPanelTest::openingAgainTakesTheCurrentBoxes() {
  TxtChar()->setText(QStringLiteral("ab"));
  Arrow(QAbstractSlider::SliderSingleStepAdd);
  f_.Click(f_.Img("img3", 3));
  TxtChar()->setText(QStringLiteral("zz"));
  Arrow(QAbstractSlider::SliderSingleStepAdd);
  Cancel();
  QCOMPARE(TxtChar()->text(), QStringLiteral("ab"));
  QCOMPARE(TxtSpace()->text(), QStringLiteral("5"));
}

// OK is the window's default button. A focused button takes Enter itself;
// from any other control (the text boxes, the multi-line preview too)
// Enter reaches OK.
void SettingsPanelTest::enterClicksTheFocusedButtonElseOk() {
  f_.Window->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(f_.Window.get()));
  QSignalSpy closed(panel_, &SettingsPanel::Closed);
  QSignalSpy saved(panel_, &SettingsPanel::SaveRequested);

  TxtChar()->setText(QStringLiteral("ab"));
  Press(Button("cmdCancle"), Qt::Key_Return);
  QCOMPARE(closed.count(), 1);
  QCOMPARE(committed_->count(), 0);
  QCOMPARE(TxtChar()->text(), QStringLiteral("#"));

  f_.Click(f_.Img("img3", 3));
  Press(Button("cmdSave"), Qt::Key_Enter);
  QCOMPARE(saved.count(), 1);
  QVERIFY(panel_->isVisible());
  QCOMPARE(committed_->count(), 0);

  Press(TxtChar(), Qt::Key_Return);
  QCOMPARE(committed_->count(), 1);
  QVERIFY(!panel_->isVisible());

  f_.Click(f_.Img("img3", 3));
  const QString preview = Text1()->toPlainText();
  Press(Text1(), Qt::Key_Return);
  QCOMPARE(committed_->count(), 2);
  QCOMPARE(Text1()->toPlainText(), preview);
  QCOMPARE(closed.count(), 3);
}

void SettingsPanelTest::tabLeavesThePreview() {
  f_.Window->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(f_.Window.get()));
  const QString preview = Text1()->toPlainText();
  Press(Text1(), Qt::Key_Tab);
  QTRY_COMPARE(QApplication::focusWidget(), Button("cmdSave")); // Check1 is disabled
  QCOMPARE(Text1()->toPlainText(), preview);
}

QTEST_MAIN(SettingsPanelTest)
#include "settings_panel_test.moc"

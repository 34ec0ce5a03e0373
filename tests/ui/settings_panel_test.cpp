// The settings panel inside a fresh main window per test.

#include "tests/ui/window_test_support.h"
#include "ui/settings_panel.h"

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
    panel_ = f_.Window->FrmSheZhi();
    f_.Click(f_.Window->Img3(3));
    QVERIFY(panel_->isVisible());
  }
  void cleanup() { f_.Window.reset(); }

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

private:
  static QString Preview(std::u16string_view unit, std::u16string_view line) {
    return AsShown(ToQString(PreviewText(unit, line)));
  }
  void Ok() { QTest::mouseClick(panel_->CmdOK(), Qt::LeftButton); }
  void Cancel() { QTest::mouseClick(panel_->CmdCancle(), Qt::LeftButton); }
  void Arrow(QAbstractSlider::SliderAction action, int times = 1) {
    for (int i = 0; i < times; ++i)
      panel_->VScroll1()->triggerAction(action);
  }

  test::WindowFixture f_;
  SettingsPanel* panel_ = nullptr;
};

void SettingsPanelTest::theFirstOpeningShowsTheStartUpBoxesAndPreview() {
  QCOMPARE(panel_->title(), QStringLiteral("相关设置"));
  QCOMPARE(panel_->TxtSpace()->text(), QStringLiteral("4"));
  QVERIFY(panel_->TxtSpace()->isReadOnly());
  QCOMPARE(panel_->VScroll1()->value(), 4);
  QCOMPARE(panel_->TxtChar()->text(), QStringLiteral("#"));
  QCOMPARE(panel_->Text1()->toPlainText(),
           Preview(std::u16string(14, u'#'), std::u16string(66, u'#')) + QStringLiteral("\n"));
  QCOMPARE(panel_->CmdOK()->text(), QStringLiteral("确  定"));
  QCOMPARE(panel_->CmdCancle()->text(), QStringLiteral("取  消"));
  QVERIFY(panel_->PendingSeparatorUnit().empty());
  QCOMPARE(panel_->PanelIndentWidth(), 4);
  QCOMPARE(panel_->SavedSeparatorText(), QStringLiteral("#"));
  QCOMPARE(panel_->geometry(), f_.Window->TxtOpen()->parentWidget()->rect());
}

void SettingsPanelTest::typingChangesThePreviewAtOnce() {
  panel_->TxtChar()->clear();
  QTest::keyClicks(panel_->TxtChar(), QStringLiteral("c"));
  QCOMPARE(panel_->Text1()->toPlainText(),
           Preview(std::u16string(14, u'c'), std::u16string(66, u'c')));
  QTest::keyClicks(panel_->TxtChar(), QStringLiteral("=-"));
  QCOMPARE(panel_->PendingSeparatorUnit(), u"c=-c=-c=-c=-c=");
  const QStringList lines = panel_->Text1()->toPlainText().split(QLatin1Char('\n'));
  QCOMPARE(lines.size(), 6);
  QCOMPARE(lines[2], QStringLiteral("'c=-c=-c=-c=-c= 参数：Number1  为 Long型"));
  QCOMPARE(lines[4], QStringLiteral("'c=-c=-c=-c=-c= 返回类型 为 Long型"));
}

void SettingsPanelTest::aNinthCharacterCannotBeTyped() {
  QLineEdit* box = panel_->TxtChar();
  box->clear();
  box->setFocus();
  QInputMethodEvent typed;
  typed.setCommitString(QStringLiteral("一二三四五六七八九"));
  QApplication::sendEvent(box, &typed);
  QCOMPARE(box->text(), QStringLiteral("一二三四五六七八"));
  QTest::keyClicks(box, QStringLiteral("x"));
  QCOMPARE(box->text(), QStringLiteral("一二三四五六七八"));
  Ok();
  QCOMPARE(f_.Window->Settings().SeparatorUnit, u"一二三四五六七八一二三四五六");
}

void SettingsPanelTest::anEmptySeparatorPreviewsAndCommitsHashes() {
  panel_->TxtChar()->clear();
  QCOMPARE(panel_->Text1()->toPlainText(),
           Preview(std::u16string(14, u'#'), std::u16string(66, u'#')));
  Ok();
  QCOMPARE(f_.Window->Settings().SeparatorUnit, std::u16string(14, u'#'));
  QCOMPARE(f_.Window->Settings().SeparatorLine, std::u16string(66, u'#'));
}

void SettingsPanelTest::okWithoutEditsCommitsFourteenHashes() {
  QSignalSpy closed(panel_, &SettingsPanel::Closed);
  Ok();
  QCOMPARE(closed.count(), 1);
  QVERIFY(!panel_->isVisible());
  const ProcessingSettings& settings = f_.Window->Settings();
  QCOMPARE(settings.SeparatorUnit, std::u16string(14, u'#'));
  QCOMPARE(settings.SeparatorLine, std::u16string(66, u'#'));
  QCOMPARE(settings.IndentWidth, 4);
}

void SettingsPanelTest::theArrowsStepTheIndentWithinZeroToHundred() {
  Arrow(QAbstractSlider::SliderSingleStepAdd);
  QCOMPARE(panel_->TxtSpace()->text(), QStringLiteral("5"));
  Arrow(QAbstractSlider::SliderSingleStepSub, 10);
  QCOMPARE(panel_->TxtSpace()->text(), QStringLiteral("0"));
  Arrow(QAbstractSlider::SliderSingleStepAdd, 150);
  QCOMPARE(panel_->TxtSpace()->text(), QStringLiteral("100"));
  Ok();
  QCOMPARE(f_.Window->Settings().IndentWidth, 100);
}

void SettingsPanelTest::cancelShowsTheOpeningIndentWhileTheScrollBarStays() {
  Arrow(QAbstractSlider::SliderSingleStepAdd, 2);
  QCOMPARE(panel_->TxtSpace()->text(), QStringLiteral("6"));
  Cancel();
  QCOMPARE(panel_->TxtSpace()->text(), QStringLiteral("4"));
  QCOMPARE(panel_->VScroll1()->value(), 6);
  QCOMPARE(f_.Window->Settings(), ProcessingSettings::StartUp());
  f_.Click(f_.Window->Img3(3));
  Ok();
  QCOMPARE(f_.Window->Settings().IndentWidth, 4); // OK commits what the box shows
  f_.Click(f_.Window->Img3(3));
  Arrow(QAbstractSlider::SliderSingleStepAdd);
  QCOMPARE(panel_->TxtSpace()->text(), QStringLiteral("7"));
}

void SettingsPanelTest::cancelRestoresTheSeparatorAndItsPreview() {
  panel_->TxtChar()->setText(QStringLiteral("*+"));
  Cancel();
  QCOMPARE(panel_->TxtChar()->text(), QStringLiteral("#"));
  QCOMPARE(panel_->Text1()->toPlainText(),
           Preview(std::u16string(14, u'#'), std::u16string(66, u'#')));
  QCOMPARE(f_.Window->Settings(), ProcessingSettings::StartUp());
}

void SettingsPanelTest::openAndStartAreDisabledWhileThePanelShows() {
  f_.Platform.ChosenFile = QStringLiteral("/x/Demo.vbp");
  f_.Click(f_.Window->Img3(1));
  f_.Click(f_.Window->Img3(2));
  QCOMPARE(f_.Platform.DialogsShown, 0);
  QVERIFY(f_.Platform.Messages.isEmpty());
  f_.Click(f_.Window->Img3(3)); // the settings hotspot still works
  QVERIFY(panel_->isVisible());
  Cancel();
  f_.Click(f_.Window->Img3(1));
  QCOMPARE(f_.Platform.DialogsShown, 1);
}

void SettingsPanelTest::openingAgainTakesTheCurrentBoxes() {
  panel_->TxtChar()->setText(QStringLiteral("ab"));
  Arrow(QAbstractSlider::SliderSingleStepAdd);
  f_.Click(f_.Window->Img3(3));
  panel_->TxtChar()->setText(QStringLiteral("zz"));
  Arrow(QAbstractSlider::SliderSingleStepAdd);
  Cancel();
  QCOMPARE(panel_->TxtChar()->text(), QStringLiteral("ab"));
  QCOMPARE(panel_->TxtSpace()->text(), QStringLiteral("5"));
}

QTEST_MAIN(SettingsPanelTest)
#include "settings_panel_test.moc"

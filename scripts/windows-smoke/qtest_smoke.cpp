// Qt Test driving widgets, as the window's tests will: text typed and
// Chinese committed by the input method into a line edit, a button clicked.
#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class WidgetsSmoke : public QObject {
  Q_OBJECT

 private slots:
  void typesChinese() {
    QLineEdit edit;
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    // Chinese arrives through the input method, not as key presses (and
    // QTest::keyClicks only knows ASCII: it asserts on anything else).
    QTest::keyClicks(&edit, QStringLiteral("Dim "));
    QInputMethodEvent input;
    input.setCommitString(QStringLiteral("中文测试"));
    QApplication::sendEvent(&edit, &input);
    QCOMPARE(edit.text(), QStringLiteral("Dim 中文测试"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.text(), QStringLiteral("Dim 中文测"));
  }

  void clicksButton() {
    QPushButton button(QStringLiteral("处理"));
    int clicks = 0;
    connect(&button, &QPushButton::clicked, [&clicks] { ++clicks; });
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(clicks, 1);
  }
};

QTEST_MAIN(WidgetsSmoke)
#include "qtest_smoke.moc"

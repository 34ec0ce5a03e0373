// Qt Test driving widgets, as the window's tests will: Chinese text typed
// into a line edit, a button clicked.
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
    QTest::keyClicks(&edit, QStringLiteral("中文测试"));
    QCOMPARE(edit.text(), QStringLiteral("中文测试"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.text(), QStringLiteral("中文测"));
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

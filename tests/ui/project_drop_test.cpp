// A project file dragged from a file manager and dropped on the window.

#include "tests/support/temp_dir.h"
#include "tests/ui/window_test_support.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>

using namespace qf;
using namespace qf::ui;
namespace fs = std::filesystem;

class ProjectDropTest : public QObject {
  Q_OBJECT

private slots:
  void init() { QVERIFY(f_.Create()); }
  void cleanup() { f_.Window.reset(); }

  void aDroppedProjectFileIsChosenAndRuns();
  void anythingElseIsRefusedByTheCursorAlone_data();
  void anythingElseIsRefusedByTheCursorAlone();

private:
  /// What Qt delivers a drag to: the nearest control under the point, or
  /// one of its containers, that takes drops.
  QWidget* TargetAt(QPoint inWindow) const {
    QWidget* target = f_.Window->childAt(inWindow);
    if (target == nullptr)
      target = f_.Window.get();
    while (target != nullptr && !(target->acceptDrops() && target->isEnabled()))
      target = target->isWindow() ? nullptr : target->parentWidget();
    return target;
  }
  struct Answers {
    bool Enter = false, Move = false, Drop = false;
    Qt::DropAction Action = Qt::IgnoreAction;
  };
  /// Drags `data` onto `over` (the middle of it), moves and drops it there.
  Answers Drag(const QMimeData& data, QWidget* over, Qt::DropActions offered) const {
    const QPoint inWindow = over->mapTo(f_.Window.get(), over->rect().center());
    QWidget* target = TargetAt(inWindow);
    if (target == nullptr)
      return {};
    const QPointF at = target->mapFrom(f_.Window.get(), inWindow);
    Answers answers;
    QDragEnterEvent enter(at.toPoint(), offered, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QApplication::sendEvent(target, &enter);
    answers.Enter = enter.isAccepted();
    QDragMoveEvent move(at.toPoint(), offered, &data, Qt::LeftButton, Qt::NoModifier);
    move.setAccepted(false);
    QApplication::sendEvent(target, &move);
    answers.Move = move.isAccepted();
    QDropEvent drop(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    drop.setAccepted(false);
    QApplication::sendEvent(target, &drop);
    answers.Drop = drop.isAccepted();
    answers.Action = drop.dropAction();
    return answers;
  }
  static QMimeData* Files(const QStringList& paths) {
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const QString& path : paths)
      urls << QUrl::fromLocalFile(path);
    data->setUrls(urls);
    return data;
  }

  test::WindowFixture f_;
};

// Dropped on the text area (or anywhere else), the project is chosen as
// the Open dialog would choose it, and Start runs it. A file manager that
// offers to move the file gets a copy or link answer, never a move, after
// which it would delete the user's file.
void ProjectDropTest::aDroppedProjectFileIsChosenAndRuns() {
  const test::TempDir dir;
  for (const auto& entry : fs::directory_iterator(QF_EXAMPLES_DIR "/demo"))
    fs::copy_file(entry.path(),
                  dir / (entry.path().filename() == "Demo.vbp" ? std::string("DEMO.VBP")
                                                               : entry.path().filename().string()));
  // Qt gives paths with "/" on every system.
  const QString folder =
      QDir::fromNativeSeparators(QString::fromStdString(dir.Path().string())) + QStringLiteral("/");
  const std::unique_ptr<QMimeData> project(Files({folder + QStringLiteral("DEMO.VBP")}));
  QSignalSpy chosen(f_.Window.get(), &MainWindow::ProjectChosen);

  const Answers title =
      Drag(*project, f_.Child(QStringLiteral("imgTitle")), Qt::CopyAction | Qt::MoveAction);
  QVERIFY(title.Enter && title.Move && title.Drop);
  QCOMPARE(title.Action, Qt::CopyAction);
  const Answers text =
      Drag(*project, f_.TxtOpen()->viewport(), Qt::CopyAction | Qt::MoveAction | Qt::LinkAction);
  QVERIFY(text.Enter && text.Move && text.Drop);
  QCOMPARE(text.Action, Qt::LinkAction);
  QCOMPARE(chosen.count(), 2);
  QCOMPARE(chosen[1], (QVariantList{folder + QStringLiteral("DEMO.VBP"), folder}));
  QCOMPARE(f_.Platform.DialogsShown, 0);

  QVERIFY(f_.RunToEnd());
  QCOMPARE(f_.Platform.Messages, QStringList());
  QVERIFY(f_.TxtOpen()->toPlainText().startsWith(
      QStringLiteral("操作报告：\n    工程名称：StockDemo")));
}

void ProjectDropTest::anythingElseIsRefusedByTheCursorAlone_data() {
  QTest::addColumn<QString>("what");
  for (const char* what : {"text file", "folder named .vbp", "missing .vbp", "two projects",
                           "web address", "plain text", "panel open", "move only"})
    QTest::newRow(what) << QString::fromLatin1(what);
}

void ProjectDropTest::anythingElseIsRefusedByTheCursorAlone() {
  QFETCH(QString, what);
  const test::TempDir dir;
  const QString a = QString::fromStdString(dir.Write("a.vbp", "Type=Exe\r\n").string());
  const QString b = QString::fromStdString(dir.Write("b.vbp", "Type=Exe\r\n").string());
  const QString notes = QString::fromStdString(dir.Write("notes.txt", "x").string());
  fs::create_directory(dir / "folder.vbp");
  const QString folder = QString::fromStdString((dir / "folder.vbp").string());

  std::unique_ptr<QMimeData> data(Files({a}));
  Qt::DropActions offered = Qt::CopyAction | Qt::LinkAction;
  if (what == "text file")
    data.reset(Files({notes}));
  else if (what == "folder named .vbp")
    data.reset(Files({folder}));
  else if (what == "missing .vbp")
    data.reset(Files({a + QStringLiteral("x.vbp")}));
  else if (what == "two projects")
    data.reset(Files({a, b}));
  else if (what == "web address")
    data->setUrls({QUrl(QStringLiteral("https://example.com/a.vbp"))});
  else if (what == "plain text")
    data.reset(new QMimeData), data->setText(a);
  else if (what == "panel open")
    f_.Click(f_.Img("img3", 3));
  else if (what == "move only")
    offered = Qt::MoveAction;

  QSignalSpy chosen(f_.Window.get(), &MainWindow::ProjectChosen);
  for (QWidget* over : {f_.Child(QStringLiteral("Picture1")), f_.Child(QStringLiteral("Frame2"))}) {
    const Answers answers = Drag(*data, over, offered);
    QVERIFY(!answers.Enter && !answers.Move && !answers.Drop);
  }
  QCOMPARE(chosen.count(), 0);
  QCOMPARE(f_.Platform.Messages, QStringList());
}

QTEST_MAIN(ProjectDropTest)
#include "project_drop_test.moc"

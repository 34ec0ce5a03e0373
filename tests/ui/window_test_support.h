#pragma once

#include "tests/ui/config_folder.h"
#include "tests/ui/fake_platform.h"
#include "ui/hotspot.h"
#include "ui/line_shape.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/settings_panel.h"

#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace qf::test {

/// A fresh main window on a fake desktop, shown and exposed, with a
/// configuration folder of its own (see config_folder.h), so that saved
/// defaults never come from or go to the real user's folder. The controls
/// are found as a user of the window sees them: by their names.
struct WindowFixture {
  FakePlatform Platform;
  std::unique_ptr<ui::MainWindow> Window;
  std::unique_ptr<QTemporaryDir> Config;
  /// What the next window's runs go through; null: the real file system.
  /// It must outlive the window.
  FileSystem* Files = nullptr;

  /// A new configuration folder and a new window.
  bool Create() {
    Window.reset();
    Config = std::make_unique<QTemporaryDir>();
    UseConfigFolder(Config->path());
    return Restart();
  }

  /// A new window on the same configuration folder: the next start.
  bool Restart() {
    Window.reset();
    Platform = FakePlatform();
    Window = std::make_unique<ui::MainWindow>(Platform, Files ? *Files : RealFileSystem());
    Window->show();
    return QTest::qWaitForWindowExposed(Window.get());
  }

  /// The window's control of that name; a missing one ends the test run.
  template <class T = QWidget> T* Child(const QString& name) const {
    T* child = Window->findChild<T*>(name);
    if (child == nullptr)
      qFatal("no control %s", qPrintable(name));
    return child;
  }
  ui::Hotspot* Img(std::string_view array, int index) const {
    return Child<ui::Hotspot>(QString::fromStdString(ui::ElementName(array, index)));
  }
  ui::HoverFrame Frame(std::string_view name) const {
    ui::HoverFrame frame{};
    for (std::size_t i = 0; i < frame.size(); ++i)
      frame[i] = Child<ui::LineShape>(
          QString::fromStdString(ui::ElementName(name, static_cast<int>(i + 1))));
    return frame;
  }
  ui::SettingsPanel* Panel() const { return Child<ui::SettingsPanel>(QStringLiteral("frmSheZhi")); }
  QPlainTextEdit* TxtOpen() const { return Child<QPlainTextEdit>(QStringLiteral("txtOpen")); }

  /// A left click in the middle of a control, through the window system:
  /// the click goes to whatever is under the mouse there.
  void Click(QWidget* control) const { QTest::mouseClick(control, Qt::LeftButton); }

  /// Clicks the start hotspot and waits for the run to end (it runs on a
  /// thread of its own). False when no run ended.
  bool RunToEnd() const {
    QSignalSpy ended(Window.get(), &ui::MainWindow::RunEnded);
    Click(Img("img3", 2));
    return !ended.isEmpty() || ended.wait(60000);
  }
};

/// What a Qt text box shows for a text with CR LF line ends.
inline QString Shown(const std::u16string_view text) {
  return ui::AsShown(ui::ToQString(text));
}

} // namespace qf::test

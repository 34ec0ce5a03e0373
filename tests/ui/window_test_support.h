#pragma once

#include "tests/ui/fake_platform.h"
#include "ui/hotspot.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

#include <QPlainTextEdit>
#include <QString>
#include <QTest>
#include <memory>

namespace qf::test {

/// A fresh main window on a fake desktop, shown and exposed.
struct WindowFixture {
  FakePlatform Platform;
  std::unique_ptr<ui::MainWindow> Window;

  bool Create() {
    Window.reset();
    Platform = FakePlatform();
    Window = std::make_unique<ui::MainWindow>(Platform);
    Window->show();
    return QTest::qWaitForWindowExposed(Window.get());
  }

  /// A left click in the middle of a hotspot, through the window system:
  /// the click goes to whatever is under the mouse there.
  void Click(ui::Hotspot* hotspot) const { QTest::mouseClick(hotspot, Qt::LeftButton); }
};

/// What a Qt text box shows for a text with CR LF line ends.
inline QString Shown(const std::u16string_view text) {
  return ui::AsShown(ui::ToQString(text));
}

} // namespace qf::test

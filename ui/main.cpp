// quillformer: the desktop window of Quillformer.

#include "ui/application.h"
#include "ui/command_line.h"
#include "ui/main_window.h"
#include "ui/platform.h"

#include <QApplication>
#include <QTranslator>
#include <iostream>

int main(int argc, char** argv) {
  if (const std::optional<int> status = qf::ui::AnswerWithoutWindow(argc, argv, std::cout))
    return *status;
  QApplication app(argc, argv);
  QTranslator translator;
  qf::ui::PrepareApplication(app, translator);
  // Lets the desktop match the window with its menu entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral(QF_DESKTOP_ID));

  qf::ui::QtPlatform platform;
  qf::ui::MainWindow window(platform);
  qf::ui::ChooseProjectFromArguments(window, QApplication::arguments().mid(1), std::cerr);
  qf::ui::CentreOnScreen(window);
  window.show();
  return QApplication::exec();
}

// quillformer: the desktop window of Quillformer.

#include "ui/command_line.h"
#include "ui/first_paint_probe.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/platform.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>
#include <iostream>

namespace {

/// Qt's own Chinese texts (dialog buttons), where they are installed.
void LoadQtTranslation(QApplication& app, QTranslator& translator) {
  if (translator.load(QStringLiteral("qt_zh_CN"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    app.installTranslator(&translator);
}

} // namespace

int main(int argc, char** argv) {
  if (const std::optional<int> status = qf::ui::AnswerWithoutWindow(argc, argv, std::cout))
    return *status;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quillformer"));
  // Lets the desktop match the window with its menu entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral(QF_DESKTOP_ID));
  // The dialogs (Open, messages) in the window's font too.
  QApplication::setFont(qf::ui::WindowFont());
  QTranslator translator;
  LoadQtTranslation(app, translator);

  qf::ui::QtPlatform platform;
  qf::ui::MainWindow window(platform);
  qf::ui::ChooseProjectFromArguments(window, QApplication::arguments().mid(1), std::cerr);
  if (const QScreen* screen = QApplication::primaryScreen())
    window.move(screen->availableGeometry().center() - window.rect().center());
  // The start-up benchmark's probe (bench/window_bench.cpp): say when the
  // window was first painted, and quit.
  if (qEnvironmentVariableIsSet("QUILLFORMER_FIRST_PAINT"))
    new qf::ui::FirstPaintProbe(&window);
  window.show();
  return QApplication::exec();
}

// quillformer: the desktop window of Quillformer.

#include "ui/main_window.h"
#include "ui/platform.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>

namespace {

/// The Chinese font the window is drawn in, named so that it looks the
/// same on every machine.
constexpr const char* kChineseFont = "WenQuanYi Micro Hei";

/// Qt's own Chinese texts (dialog buttons), where they are installed.
void LoadQtTranslation(QApplication& app, QTranslator& translator) {
  if (translator.load(QStringLiteral("qt_zh_CN"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    app.installTranslator(&translator);
}

} // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quillformer"));
  QFont font(QString::fromLatin1(kChineseFont));
  font.setPointSize(9);
  QApplication::setFont(font);
  QTranslator translator;
  LoadQtTranslation(app, translator);

  qf::ui::QtPlatform platform;
  qf::ui::MainWindow window(platform);
  if (const QScreen* screen = QApplication::primaryScreen())
    window.move(screen->availableGeometry().center() - window.rect().center());
  window.show();
  return QApplication::exec();
}

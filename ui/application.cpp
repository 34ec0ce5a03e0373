#include "ui/application.h"

#include "ui/fonts.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>
#include <QWidget>

namespace qf::ui {

void PrepareApplication(QApplication& app, QTranslator& translator) {
  QApplication::setApplicationName(QStringLiteral("Quillformer"));
  QApplication::setFont(WindowFont());
  if (translator.load(QStringLiteral("qt_zh_CN"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    app.installTranslator(&translator);
}

void CentreOnScreen(QWidget& window) {
  if (const QScreen* screen = QApplication::primaryScreen())
    window.move(screen->availableGeometry().center() - window.rect().center());
}

} // namespace qf::ui

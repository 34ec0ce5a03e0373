#pragma once

#include "ui/platform.h"

#include <QString>
#include <QStringList>
#include <QUrl>

namespace qf::test {

/// Stands in for the desktop: answers the Open dialog with a prepared
/// path, records message boxes, minimising, system moves and web pages.
class FakePlatform final : public ui::Platform {
public:
  QString ChosenFile;           ///< What the Open dialog returns ("" = cancel).
  bool SystemMoveWorks = false; ///< What StartSystemMove answers.
  int DialogsShown = 0;
  QStringList Messages;
  int Minimised = 0;
  int SystemMoves = 0;
  QList<QUrl> OpenedUrls;

  QString ChooseProjectFile(QWidget*) override {
    ++DialogsShown;
    return ChosenFile;
  }
  void ShowInformation(QWidget*, const QString& text) override { Messages << text; }
  void Minimise(QWidget*) override { ++Minimised; }
  bool StartSystemMove(QWidget*) override {
    ++SystemMoves;
    return SystemMoveWorks;
  }
  void OpenUrl(const QUrl& url) override { OpenedUrls << url; }
};

} // namespace qf::test

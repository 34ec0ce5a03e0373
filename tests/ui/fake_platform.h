#pragma once

#include "ui/platform.h"

#include <QString>
#include <QStringList>
#include <QUrl>

namespace qf::test {

/// Stands in for the desktop: answers the Open dialog and the questions as
/// prepared, records message boxes, questions, minimising, system moves and
/// web pages.
class FakePlatform final : public ui::Platform {
public:
  QString ChosenFile;           ///< What the Open dialog returns ("" = cancel).
  bool SystemMoveWorks = false; ///< What StartSystemMove answers.
  int DialogsShown = 0;
  QStringList Messages;
  bool Answer = false; ///< What a question is answered: its accept button, or 取消.
  QStringList Questions;
  int Minimised = 0;
  int SystemMoves = 0;
  QList<QUrl> OpenedUrls;

  QString ChooseProjectFile(QWidget*) override {
    ++DialogsShown;
    return ChosenFile;
  }
  void ShowInformation(QWidget*, const QString& text) override { Messages << text; }
  bool Ask(QWidget*, const QString& text, const QString&) override {
    Questions << text;
    return Answer;
  }
  void Minimise(QWidget*) override { ++Minimised; }
  bool StartSystemMove(QWidget*) override {
    ++SystemMoves;
    return SystemMoveWorks;
  }
  void OpenUrl(const QUrl& url) override { OpenedUrls << url; }
};

} // namespace qf::test

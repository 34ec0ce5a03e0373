#pragma once

#include <QString>

class QUrl;
class QWidget;

namespace qf::ui {

/// The parts of the desktop that the main window uses, behind one seam so
/// that tests can stand in for the dialogs, the window manager and the
/// browser.
class Platform {
public:
  virtual ~Platform() = default;

  /// Shows the modal Open dialog for a project file; returns the chosen
  /// path, or an empty text when the user cancels.
  virtual QString ChooseProjectFile(QWidget* parent) = 0;

  /// Shows a message box with the information icon, one OK button and the
  /// caption "信息提示" (its button reads 确定); returns when it is closed.
  virtual void ShowInformation(QWidget* parent, const QString& text) = 0;

  /// Shows a message box with the question icon, the caption "信息提示" and
  /// two buttons, `accept` (the default) and 取消 (also Esc); returns, when
  /// it is closed, whether `accept` was chosen.
  virtual bool Ask(QWidget* parent, const QString& text, const QString& accept) = 0;

  /// Minimises the window.
  virtual void Minimise(QWidget* window) = 0;

  /// Asks the window manager to move the window with the mouse, as if its
  /// title bar were dragged. False where it cannot (no window manager).
  virtual bool StartSystemMove(QWidget* window) = 0;

  /// Opens a web page in the system's browser; failures stay silent.
  virtual void OpenUrl(const QUrl& url) = 0;
};

/// The real desktop: QFileDialog, QMessageBox, QWindow, QDesktopServices.
class QtPlatform final : public Platform {
public:
  QString ChooseProjectFile(QWidget* parent) override;
  void ShowInformation(QWidget* parent, const QString& text) override;
  bool Ask(QWidget* parent, const QString& text, const QString& accept) override;
  void Minimise(QWidget* window) override;
  bool StartSystemMove(QWidget* window) override;
  void OpenUrl(const QUrl& url) override;
};

} // namespace qf::ui

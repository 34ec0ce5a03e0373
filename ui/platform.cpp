#include "ui/platform.h"

#include "ui/window_model.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <QWidget>
#include <QWindow>

namespace qf::ui {
namespace {

QString FromU16(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QString QtPlatform::ChooseProjectFile(QWidget* parent) {
  QFileDialog dialog(parent);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  // The entry reads "*.vbp(Visual Basic工程文件)"; its pattern is hidden.
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setNameFilter(FromU16(kProjectFilter));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return {};
  return dialog.selectedFiles().constFirst();
}

void QtPlatform::ShowInformation(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Information, FromU16(kMessageCaption), text, QMessageBox::Ok,
                  parent);
  // Chinese whether or not Qt's own translations are installed.
  box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
  box.exec();
}

bool QtPlatform::Ask(QWidget* parent, const QString& text, const QString& accept) {
  QMessageBox box(QMessageBox::Question, FromU16(kMessageCaption), text, QMessageBox::NoButton,
                  parent);
  QPushButton* yes = box.addButton(accept, QMessageBox::AcceptRole);
  box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
  box.setDefaultButton(yes);
  box.exec();
  return box.clickedButton() == yes;
}

void QtPlatform::Minimise(QWidget* window) {
  window->showMinimized();
}

bool QtPlatform::StartSystemMove(QWidget* window) {
  QWindow* handle = window->windowHandle();
  return handle != nullptr && handle->startSystemMove();
}

void QtPlatform::OpenUrl(const QUrl& url) {
  QDesktopServices::openUrl(url);
}

} // namespace qf::ui

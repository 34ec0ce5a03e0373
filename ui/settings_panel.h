#pragma once

#include "settings/processing_settings.h"
#include "ui/panel_values.h"

#include <QGroupBox>
#include <cstdint>
#include <string>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;

namespace qf::ui {

/// The settings panel (frmSheZhi, "相关设置"): the indent width, set with
/// the scroll bar's arrows, and the separator text of the comment headers,
/// with a live preview. OK commits both; Cancel puts the boxes back as they
/// were when the panel was opened. The boxes keep their texts while it is
/// closed, so each opening shows what OK accepted or Cancel restored.
///
/// It offers values and signals; its controls are its own. Enter clicks
/// the focused button, or OK when no button has the focus, as for a
/// window's default button.
class SettingsPanel : public QGroupBox {
  Q_OBJECT

public:
  /// A hidden panel whose boxes show `start`: the built-in 4 and "#", or
  /// the saved defaults.
  SettingsPanel(QWidget* parent, const PanelValues& start);

  /// The opening step of the settings command: shows the panel with the
  /// values its boxes hold and takes them as the ones Cancel restores.
  void Open();

signals:
  /// OK: the indent width the box shows and the separator pair the preview
  /// shows, for the processing settings.
  void Committed(std::int16_t indentWidth, const qf::Separators& separators);
  /// 保存为默认设置: the values the boxes show, to be the defaults of later
  /// starts. The panel stays open and nothing is committed.
  void SaveRequested(const qf::ui::PanelValues& values);
  /// OK or Cancel closed the panel.
  void Closed();

public slots:
  /// Cancel: hides the panel, puts back the values its boxes held when it
  /// was opened (or last confirmed), and emits Closed. Only for an open
  /// panel: a never-opened one would take an indent width of 0 and an
  /// empty separator.
  void Cancel();

protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
  void OnSeparatorTextChanged(const QString& text);
  void OnIndentScrolled(int value);
  void OnOkClicked();
  void OnSaveClicked();

private:
  void BuildControls(const PanelValues& start);
  std::int16_t ShownIndentWidth() const;

  /// What Cancel puts back: the boxes' values at the last opening or OK.
  std::int16_t restoredIndentWidth_ = 0;
  QString restoredSeparatorText_;
  /// The separator pair the preview shows; empty until the separator text
  /// first changes.
  std::u16string pendingUnit_;
  std::u16string pendingLine_;

  // The controls, with their design names (their object names).
  QLineEdit* indentBox_ = nullptr;     // txtSpace
  QScrollBar* indentArrows_ = nullptr; // VScroll1
  QLineEdit* separatorBox_ = nullptr;  // txtChar
  QPlainTextEdit* preview_ = nullptr;  // Text1
  QPushButton* okButton_ = nullptr;    // cmdOK
};

} // namespace qf::ui

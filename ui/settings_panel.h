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
  void cmdCancle_Click();

protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
  void txtChar_Change(const QString& text);
  void VScroll1_Change(int value);
  void cmdOK_Click();
  void cmdSave_Click();

private:
  void BuildControls(const PanelValues& start);
  std::int16_t ShownIndentWidth() const;

  std::int16_t panelIndentWidth_ = 0;
  QString savedSeparatorText_;
  std::u16string pendingUnit_;
  std::u16string pendingLine_;

  QLineEdit* txtSpace_ = nullptr;
  QScrollBar* vScroll1_ = nullptr;
  QLineEdit* txtChar_ = nullptr;
  QPlainTextEdit* text1_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
};

} // namespace qf::ui

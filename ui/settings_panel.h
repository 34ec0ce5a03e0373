#pragma once

#include "settings/processing_settings.h"

#include <QGroupBox>
#include <cstdint>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;

namespace qf::ui {

/// The settings panel (frmSheZhi, "相关设置"): the indent width, set with
/// the scroll bar's arrows, and the separator text of the comment headers,
/// with a live preview. OK commits both into the processing settings;
/// Cancel puts the boxes back as they were when the panel was opened and
/// leaves the settings alone. The boxes keep their texts while it is closed.
class SettingsPanel : public QGroupBox {
  Q_OBJECT

public:
  SettingsPanel(QWidget* parent, ProcessingSettings& settings);

  /// The opening step of the settings command: shows the panel and takes
  /// the boxes' texts as the ones Cancel restores.
  void Open();

  std::int16_t PanelIndentWidth() const { return panelIndentWidth_; }
  const QString& SavedSeparatorText() const { return savedSeparatorText_; }
  const std::u16string& PendingSeparatorUnit() const { return pendingUnit_; }
  const std::u16string& PendingSeparatorLine() const { return pendingLine_; }

  QLineEdit* TxtSpace() const { return txtSpace_; }
  QScrollBar* VScroll1() const { return vScroll1_; }
  QLineEdit* TxtChar() const { return txtChar_; }
  QPlainTextEdit* Text1() const { return text1_; }
  QPushButton* CmdOK() const { return cmdOK_; }
  QPushButton* CmdCancle() const { return cmdCancle_; }

signals:
  /// OK or Cancel closed the panel.
  void Closed();

public slots:
  void cmdOK_Click();
  void cmdCancle_Click();

private slots:
  void txtChar_Change(const QString& text);
  void VScroll1_Change(int value);

private:
  void BuildControls();
  std::int16_t ShownIndentWidth() const;

  ProcessingSettings& settings_;
  std::int16_t panelIndentWidth_ = 0;
  QString savedSeparatorText_;
  std::u16string pendingUnit_;
  std::u16string pendingLine_;

  QLineEdit* txtSpace_ = nullptr;
  QScrollBar* vScroll1_ = nullptr;
  QLineEdit* txtChar_ = nullptr;
  QPlainTextEdit* text1_ = nullptr;
  QCheckBox* check1_ = nullptr;
  QPushButton* cmdSave_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
  QPushButton* cmdCancle_ = nullptr;
};

} // namespace qf::ui

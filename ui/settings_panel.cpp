#include "ui/settings_panel.h"

#include "ui/place.h"
#include "ui/qt_text.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>

namespace qf::ui {
namespace {

QLabel* MakeLabel(QWidget* parent, const QString& caption, const TwipsRect& rect) {
  auto* label = new QLabel(caption, parent);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Place(label, rect);
  return label;
}

QPushButton* MakeButton(QWidget* parent, const QString& caption, const TwipsRect& rect) {
  auto* button = new QPushButton(caption, parent);
  Place(button, rect);
  return button;
}

} // namespace

SettingsPanel::SettingsPanel(QWidget* parent, ProcessingSettings& settings)
    : QGroupBox(QStringLiteral("相关设置"), parent), settings_(settings) {
  setObjectName(QStringLiteral("frmSheZhi"));
  FillBackground(this, kBackground, QPalette::Window);
  BuildControls();
  hide();
}

void SettingsPanel::BuildControls() {
  MakeLabel(this, QStringLiteral("程序代码每次缩进量"), {240, 360, 1815, 375});
  txtSpace_ = new QLineEdit(QStringLiteral("4"), this);
  txtSpace_->setReadOnly(true);
  Place(txtSpace_, {2160, 360, 495, 270});
  vScroll1_ = new QScrollBar(Qt::Vertical, this);
  vScroll1_->setRange(0, 100);
  vScroll1_->setSingleStep(1);
  vScroll1_->setPageStep(1);
  vScroll1_->setValue(4);
  Place(vScroll1_, {2640, 360, 255, 255});
  MakeLabel(this, QStringLiteral("个空格    （程序代码自动缩进功能）"), {3000, 360, 3060, 180});
  QLabel* label5 = MakeLabel(this, QStringLiteral("添加注释设置："), {240, 960, 1695, 375});
  QFont song = label5->font();
  song.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), font().family()});
  song.setPointSize(12);
  label5->setFont(song);
  MakeLabel(this, QStringLiteral("注释分割符定义："), {1080, 1320, 1455, 375});
  txtChar_ = new QLineEdit(QStringLiteral("#"), this);
  txtChar_->setMaxLength(static_cast<int>(kMaxSeparatorLength));
  Place(txtChar_, {2640, 1320, 975, 270});
  MakeLabel(this, QStringLiteral("最长允许8个字符注释效果如下："), {3960, 1320, 1455, 375});
  text1_ = new QPlainTextEdit(this);
  text1_->setObjectName(QStringLiteral("Text1"));
  FillBackground(text1_, kBackground, QPalette::Base);
  text1_->setPlainText(ToQString(PreviewText(std::u16string(14, u'#'), std::u16string(66, u'#'))) +
                       QStringLiteral("\r\n"));
  Place(text1_, {240, 1800, 6210, 1590});
  check1_ = new QCheckBox(QStringLiteral("为每个函数、过程添加错误处理模块。"), this);
  check1_->setEnabled(false);
  Place(check1_, {240, 3120, 3375, 255});
  cmdSave_ = MakeButton(this, QStringLiteral("保存为默认设置"), {1680, 3720, 1455, 495});
  cmdSave_->setEnabled(false);
  cmdOK_ = MakeButton(this, QStringLiteral("确  定"), {3120, 3720, 1455, 495});
  cmdOK_->setDefault(true);
  cmdCancle_ = MakeButton(this, QStringLiteral("取  消"), {4560, 3720, 1455, 495});

  // OK is the window's default button: Enter confirms the panel.
  for (const QKeySequence& key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}) {
    auto* shortcut = new QShortcut(key, this);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    connect(shortcut, &QShortcut::activated, this, &SettingsPanel::cmdOK_Click);
  }
  connect(txtChar_, &QLineEdit::textChanged, this, &SettingsPanel::txtChar_Change);
  connect(vScroll1_, &QScrollBar::valueChanged, this, &SettingsPanel::VScroll1_Change);
  connect(cmdOK_, &QPushButton::clicked, this, &SettingsPanel::cmdOK_Click);
  connect(cmdCancle_, &QPushButton::clicked, this, &SettingsPanel::cmdCancle_Click);
}

void SettingsPanel::Open() {
  show();
  raise();
  savedSeparatorText_ = txtChar_->text();
  panelIndentWidth_ = ShownIndentWidth();
}

std::int16_t SettingsPanel::ShownIndentWidth() const {
  return static_cast<std::int16_t>(txtSpace_->text().toInt());
}

void SettingsPanel::txtChar_Change(const QString& text) {
  Separators separators = DeriveSeparators(ToU16(text));
  pendingUnit_ = std::move(separators.Unit);
  pendingLine_ = std::move(separators.Line);
  text1_->setPlainText(ToQString(PreviewText(pendingUnit_, pendingLine_)));
}

void SettingsPanel::VScroll1_Change(int value) {
  txtSpace_->setText(QString::number(value));
}

void SettingsPanel::cmdOK_Click() {
  if (!isVisible())
    return;
  // The separator text never changed in this run: the pair that "#" gives.
  if (pendingUnit_.empty()) {
    pendingLine_ = std::u16string(66, u'#');
    pendingUnit_ = std::u16string(14, u'#');
  }
  panelIndentWidth_ = ShownIndentWidth();
  settings_.Commit(panelIndentWidth_, {pendingUnit_, pendingLine_});
  hide();
  emit Closed();
}

void SettingsPanel::cmdCancle_Click() {
  hide();
  txtSpace_->setText(QString::number(panelIndentWidth_));
  if (txtChar_->text() != savedSeparatorText_)
    txtChar_->setText(savedSeparatorText_);
  emit Closed();
}

} // namespace qf::ui

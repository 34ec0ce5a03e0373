#include "ui/settings_panel.h"

#include "ui/fonts.h"
#include "ui/place.h"
#include "ui/qt_text.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <qdrawutil.h>

namespace qf::ui {
namespace {

/// A label of the design's toolkit: its text wraps within the box and
/// starts at its top left corner.
QLabel* MakeLabel(QWidget* parent, const QString& caption, std::string_view name) {
  auto* label = new QLabel(caption, parent);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  PlaceNamed(label, name);
  return label;
}

QPushButton* MakeButton(QWidget* parent, const QString& caption, std::string_view name) {
  auto* button = new QPushButton(caption, parent);
  // Enter clicks a focused button; outside a dialog Qt does that only for
  // auto-default buttons.
  button->setAutoDefault(true);
  PlaceNamed(button, name);
  return button;
}

bool IsEnter(const QKeyEvent* key) {
  return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

/// Where the caption starts and the gap it leaves in the frame's top edge.
constexpr int kCaptionLeft = 8;
constexpr int kCaptionGap = 2;

} // namespace

SettingsPanel::SettingsPanel(QWidget* parent, const PanelValues& start)
    : QGroupBox(QStringLiteral("相关设置"), parent) {
  PlaceNamed(this, "frmSheZhi");
  FillBackground(this, kBackground, QPalette::Window);
  BuildControls(start);
  hide();
}

void SettingsPanel::BuildControls(const PanelValues& start) {
  MakeLabel(this, QStringLiteral("程序代码每次缩进量"), "Label3");
  txtSpace_ = new QLineEdit(QString::number(start.IndentWidth), this);
  txtSpace_->setReadOnly(true);
  // The panel's boxes take no drops, as the design's text boxes: a project
  // file dropped on the panel goes to the window, which refuses it while
  // the panel shows.
  txtSpace_->setAcceptDrops(false);
  PlaceNamed(txtSpace_, "txtSpace");
  vScroll1_ = new QScrollBar(Qt::Vertical, this);
  vScroll1_->setRange(0, 100);
  vScroll1_->setSingleStep(1);
  vScroll1_->setPageStep(1);
  vScroll1_->setValue(start.IndentWidth);
  PlaceNamed(vScroll1_, "VScroll1");
  MakeLabel(this, QStringLiteral("个空格    （程序代码自动缩进功能）"), "Label4");
  QLabel* label5 = MakeLabel(this, QStringLiteral("添加注释设置："), "Label5");
  label5->setFont(FontOrFallback(font(), {QStringLiteral("SimSun"), QStringLiteral("宋体")}, 12));
  MakeLabel(this, QStringLiteral("注释分割符定义："), "Label6");
  txtChar_ = new QLineEdit(QStringLiteral("#"), this);
  txtChar_->setMaxLength(static_cast<int>(kMaxSeparatorLength));
  txtChar_->setAcceptDrops(false);
  PlaceNamed(txtChar_, "txtChar");
  MakeLabel(this, QStringLiteral("最长允许8个字符注释效果如下："), "Label7");

  text1_ = new QPlainTextEdit(this);
  FillBackground(text1_, kBackground, QPalette::Base);
  // The preview's 67-character frame line fits in one line when the
  // document leaves the design's narrow margin of a text box; text that is
  // wider (Chinese separators) wraps and may run below the box, unscrolled.
  text1_->document()->setDocumentMargin(2);
  text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  text1_->setTabChangesFocus(true);
  text1_->setAcceptDrops(false);
  text1_->installEventFilter(this);
  const Separators hashes = HashSeparators();
  text1_->setPlainText(ToQString(PreviewText(hashes.Unit, hashes.Line)) + QStringLiteral("\r\n"));
  PlaceNamed(text1_, "Text1");

  auto* check1 = new QCheckBox(QStringLiteral("为每个函数、过程添加错误处理模块。"), this);
  check1->setEnabled(false);
  // Opaque, as the design's check box: it lies over the preview's lower
  // edge and hides what is there. A button's background role would fill it
  // in the button colour; its disabled caption in the toolkit's grey text
  // colour stays readable on the window's grey.
  check1->setBackgroundRole(QPalette::Window);
  check1->setAutoFillBackground(true);
  QPalette greyText = check1->palette();
  greyText.setColor(QPalette::Disabled, QPalette::WindowText, QColor(128, 128, 128));
  greyText.setColor(QPalette::Disabled, QPalette::Text, QColor(128, 128, 128));
  check1->setPalette(greyText);
  PlaceNamed(check1, "Check1");

  QPushButton* cmdSave = MakeButton(this, QStringLiteral("保存为默认设置"), "cmdSave");
  cmdOK_ = MakeButton(this, QStringLiteral("确  定"), "cmdOK");
  cmdOK_->setDefault(true);
  QPushButton* cmdCancle = MakeButton(this, QStringLiteral("取  消"), "cmdCancle");

  connect(txtChar_, &QLineEdit::textChanged, this, &SettingsPanel::txtChar_Change);
  connect(vScroll1_, &QScrollBar::valueChanged, this, &SettingsPanel::VScroll1_Change);
  connect(cmdSave, &QPushButton::clicked, this, &SettingsPanel::cmdSave_Click);
  connect(cmdOK_, &QPushButton::clicked, this, &SettingsPanel::cmdOK_Click);
  connect(cmdCancle, &QPushButton::clicked, this, &SettingsPanel::cmdCancle_Click);
  // Saved defaults go in as if typed, so the preview and the pending pair
  // follow; the built-in "#" leaves the start-up preview alone.
  txtChar_->setText(ToQString(start.SeparatorText));
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
  // The separator text never changed in this run: the pair that "#" gives.
  if (pendingUnit_.empty()) {
    Separators hashes = HashSeparators();
    pendingLine_ = std::move(hashes.Line);
    pendingUnit_ = std::move(hashes.Unit);
  }
  panelIndentWidth_ = ShownIndentWidth();
  emit Committed(panelIndentWidth_, {pendingUnit_, pendingLine_});
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

void SettingsPanel::cmdSave_Click() {
  emit SaveRequested({ShownIndentWidth(), ToU16(txtChar_->text())});
}

/// Enter that the focused control left unused (the text boxes, the scroll
/// bar) is the default button's.
void SettingsPanel::keyPressEvent(QKeyEvent* event) {
  if (IsEnter(event)) {
    cmdOK_->click();
    return;
  }
  QGroupBox::keyPressEvent(event);
}

/// The preview is a multi-line box, which would take Enter as a line break:
/// with a default button in the window Enter is the button's, and only
/// Ctrl+Enter breaks the line.
bool SettingsPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text1_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (IsEnter(key) && !key->modifiers().testFlag(Qt::ControlModifier)) {
      cmdOK_->click();
      return true;
    }
  }
  return QGroupBox::eventFilter(watched, event);
}

/// A flat fill in the window's colour and an etched frame whose top edge
/// runs through the caption, as the design's frame control draws; the
/// widget style would shade the inside of a group box.
void SettingsPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ToQColor(kBackground));
  const QFontMetrics metrics(font());
  qDrawShadeRect(&painter, rect().adjusted(0, metrics.height() / 2, 0, 0), palette(), true, 1, 0);
  const QRect caption(kCaptionLeft, 0, metrics.horizontalAdvance(title()) + 2 * kCaptionGap,
                      metrics.height());
  painter.fillRect(caption, ToQColor(kBackground));
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(caption, Qt::AlignCenter, title());
}

} // namespace qf::ui

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
  indentBox_ = new QLineEdit(QString::number(start.IndentWidth), this);
  indentBox_->setReadOnly(true);
  // The panel's boxes take no drops, as the design's text boxes: a project
  // file dropped on the panel goes to the window, which refuses it while
  // the panel shows.
  indentBox_->setAcceptDrops(false);
  PlaceNamed(indentBox_, "txtSpace");
  indentArrows_ = new QScrollBar(Qt::Vertical, this);
  indentArrows_->setRange(0, 100);
  indentArrows_->setSingleStep(1);
  indentArrows_->setPageStep(1);
  indentArrows_->setValue(start.IndentWidth);
  PlaceNamed(indentArrows_, "VScroll1");
  MakeLabel(this, QStringLiteral("个空格    （程序代码自动缩进功能）"), "Label4");
  QLabel* commentHeading = MakeLabel(this, QStringLiteral("添加注释设置："), "Label5");
  commentHeading->setFont(
      FontOrFallback(font(), {QStringLiteral("SimSun"), QStringLiteral("宋体")}, 12));
  MakeLabel(this, QStringLiteral("注释分割符定义："), "Label6");
  separatorBox_ = new QLineEdit(QStringLiteral("#"), this);
  separatorBox_->setMaxLength(static_cast<int>(kMaxSeparatorLength));
  separatorBox_->setAcceptDrops(false);
  PlaceNamed(separatorBox_, "txtChar");
  MakeLabel(this, QStringLiteral("最长允许8个字符注释效果如下："), "Label7");

  preview_ = new QPlainTextEdit(this);
  FillBackground(preview_, kBackground, QPalette::Base);
  // The preview's 67-character frame line fits in one line when the
  // document leaves the design's narrow margin of a text box; text that is
  // wider (Chinese separators) wraps and may run below the box, unscrolled.
  preview_->document()->setDocumentMargin(2);
  preview_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  preview_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  preview_->setTabChangesFocus(true);
  preview_->setAcceptDrops(false);
  preview_->installEventFilter(this);
  const Separators hashes = HashSeparators();
  preview_->setPlainText(ToQString(PreviewText(hashes.Unit, hashes.Line)) + QStringLiteral("\r\n"));
  PlaceNamed(preview_, "Text1");

  auto* errorHandling = new QCheckBox(QStringLiteral("为每个函数、过程添加错误处理模块。"), this);
  errorHandling->setEnabled(false);
  // Opaque, as the design's check box: it lies over the preview's lower
  // edge and hides what is there. A button's background role would fill it
  // in the button colour; its disabled caption in the toolkit's grey text
  // colour stays readable on the window's grey.
  errorHandling->setBackgroundRole(QPalette::Window);
  errorHandling->setAutoFillBackground(true);
  QPalette greyText = errorHandling->palette();
  greyText.setColor(QPalette::Disabled, QPalette::WindowText, QColor(128, 128, 128));
  greyText.setColor(QPalette::Disabled, QPalette::Text, QColor(128, 128, 128));
  errorHandling->setPalette(greyText);
  PlaceNamed(errorHandling, "Check1");

  QPushButton* saveButton = MakeButton(this, QStringLiteral("保存为默认设置"), "cmdSave");
  okButton_ = MakeButton(this, QStringLiteral("确  定"), "cmdOK");
  okButton_->setDefault(true);
  QPushButton* cancelButton = MakeButton(this, QStringLiteral("取  消"), "cmdCancle");

  connect(separatorBox_, &QLineEdit::textChanged, this, &SettingsPanel::OnSeparatorTextChanged);
  connect(indentArrows_, &QScrollBar::valueChanged, this, &SettingsPanel::OnIndentScrolled);
  connect(saveButton, &QPushButton::clicked, this, &SettingsPanel::OnSaveClicked);
  connect(okButton_, &QPushButton::clicked, this, &SettingsPanel::OnOkClicked);
  connect(cancelButton, &QPushButton::clicked, this, &SettingsPanel::Cancel);
  // Saved defaults go in as if typed, so the preview and the pending pair
  // follow; the built-in "#" leaves the start-up preview alone.
  separatorBox_->setText(ToQString(start.SeparatorText));
}

void SettingsPanel::Open() {
  show();
  raise();
  restoredSeparatorText_ = separatorBox_->text();
  restoredIndentWidth_ = ShownIndentWidth();
}

std::int16_t SettingsPanel::ShownIndentWidth() const {
  return static_cast<std::int16_t>(indentBox_->text().toInt());
}

void SettingsPanel::OnSeparatorTextChanged(const QString& text) {
  Separators separators = DeriveSeparators(ToU16(text));
  pendingUnit_ = std::move(separators.Unit);
  pendingLine_ = std::move(separators.Line);
  preview_->setPlainText(ToQString(PreviewText(pendingUnit_, pendingLine_)));
}

void SettingsPanel::OnIndentScrolled(int value) {
  indentBox_->setText(QString::number(value));
}

void SettingsPanel::OnOkClicked() {
  // The separator text never changed in this run: the pair that "#" gives.
  if (pendingUnit_.empty()) {
    Separators hashes = HashSeparators();
    pendingLine_ = std::move(hashes.Line);
    pendingUnit_ = std::move(hashes.Unit);
  }
  restoredIndentWidth_ = ShownIndentWidth();
  emit Committed(restoredIndentWidth_, {pendingUnit_, pendingLine_});
  hide();
  emit Closed();
}

void SettingsPanel::Cancel() {
  hide();
  indentBox_->setText(QString::number(restoredIndentWidth_));
  if (separatorBox_->text() != restoredSeparatorText_)
    separatorBox_->setText(restoredSeparatorText_);
  emit Closed();
}

void SettingsPanel::OnSaveClicked() {
  emit SaveRequested({ShownIndentWidth(), ToU16(separatorBox_->text())});
}

/// Enter that the focused control left unused (the text boxes, the scroll
/// bar) is the default button's.
void SettingsPanel::keyPressEvent(QKeyEvent* event) {
  if (IsEnter(event)) {
    okButton_->click();
    return;
  }
  QGroupBox::keyPressEvent(event);
}

/// The preview is a multi-line box, which would take Enter as a line break:
/// with a default button in the window Enter is the button's, and only
/// Ctrl+Enter breaks the line.
bool SettingsPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == preview_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (IsEnter(key) && !key->modifiers().testFlag(Qt::ControlModifier)) {
      okButton_->click();
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

#include "ui/main_window.h"

#include "processing/failure_text.h"
#include "processing/operation_report.h"
#include "processing/processing_run.h"
#include "processing/project_paths.h"
#include "ui/hotspot.h"
#include "ui/line_shape.h"
#include "ui/picture_box.h"
#include "ui/pictures.h"
#include "ui/place.h"
#include "ui/platform.h"
#include "ui/qt_text.h"
#include "ui/settings_panel.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QUrl>

namespace qf::ui {
namespace {

constexpr TwipsRect kLabel1{90, 240, 1725, 180};

QFrame* MakePanelFrame(QWidget* parent, const TwipsRect& rect) {
  auto* frame = new QFrame(parent);
  frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
  FillBackground(frame, kBackground, QPalette::Window);
  // The frames have no mouse-move handling: a hover frame stays visible
  // while the mouse is over them.
  frame->setAttribute(Qt::WA_NoMousePropagation);
  Place(frame, rect);
  return frame;
}

void MakeLine(QWidget* parent, const Segment& ends) {
  auto* line = new LineShape(parent, 1, parent->palette().color(QPalette::WindowText));
  line->SetEnds(ends);
}

} // namespace

MainWindow::MainWindow(Platform& platform, FileSystem& files, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::Window), platform_(platform), files_(files) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("Quillformer"));
  setWindowIcon(WindowIcon());
  setFixedSize(Px(8850), Px(5865));
  FillBackground(this, kBackground, QPalette::Window);
  setMouseTracking(true);
  operationsPicture_ = OperationsPicture();
  otherOptionsPicture_ = OtherOptionsPicture();
  BuildTitle();
  BuildBorders();
  BuildCommandPanel();
  BuildTextArea();
  for (Hotspot* hotspot : img1_)
    hotspot->raise();
  for (LineShape* segment : lHttp1_)
    segment->raise();
  Form_Load();
}

MainWindow::~MainWindow() = default;

HoverFrame MainWindow::MakeFrame(QWidget* container) {
  HoverFrame frame{};
  for (LineShape*& segment : frame) {
    segment = new LineShape(container, 2, Qt::black);
    segment->hide();
  }
  return frame;
}

void MainWindow::BuildTitle() {
  imgTitle_ = new PictureBox(this);
  imgTitle_->setObjectName(QStringLiteral("imgTitle"));
  imgTitle_->SetPicture(TitlePicture());
  Place(imgTitle_, {0, 0, 8895, 660});
  connect(imgTitle_, &PictureBox::MouseMoved, this, &MainWindow::imgTitle_MouseMove);
  connect(imgTitle_, &PictureBox::MousePressed, this, &MainWindow::imgTitle_MouseDown);
  connect(imgTitle_, &PictureBox::MouseDragged, this, &MainWindow::imgTitle_MouseDrag);
  connect(imgTitle_, &PictureBox::MouseReleased, this, &MainWindow::imgTitle_MouseUp);

  const std::array<TwipsRect, 3> places = {
      {{7780, 60, 300, 300}, {8170, 60, 300, 300}, {8500, 60, 300, 300}}};
  for (int i = 1; i <= 3; ++i) {
    auto* hotspot = new Hotspot(this, i, places[static_cast<std::size_t>(i - 1)]);
    connect(hotspot, &Hotspot::Clicked, this, &MainWindow::img1_Click);
    connect(hotspot, &Hotspot::MouseMoved, this, &MainWindow::img1_MouseMove);
    img1_[static_cast<std::size_t>(i - 1)] = hotspot;
  }
  img1_[0]->setToolTip(QStringLiteral("访问主页"));
  img1_[1]->setToolTip(QStringLiteral("最小化"));
  img1_[2]->setToolTip(QStringLiteral("关闭"));
  lHttp1_ = MakeFrame(this);
}

void MainWindow::BuildBorders() {
  MakeLine(this, {0, 5880, 0, 0});
  MakeLine(this, {0, 5835, 8890, 5835});
  MakeLine(this, {8830, 5835, 8830, 0});
}

void MainWindow::BuildCommandPanel() {
  QFrame* frame1 = MakePanelFrame(this, {120, 600, 1935, 5175});
  frame1->setObjectName(QStringLiteral("Frame1"));
  for (const Segment& ends :
       {Segment{0, 105, 1920, 105}, Segment{1900, 5160, 0, 5160}, Segment{0, 5160, 0, 120},
        Segment{0, 500, 1920, 500}, Segment{1905, 120, 1905, 5160}})
    MakeLine(frame1, ends);
  label2_ = new QLabel(QStringLiteral("   其它选项   >>>  "), frame1);
  Place(label2_, {100, 4890, 1725, 270});
  label1_ = new QLabel(QStringLiteral("   操作设置   >>>  "), frame1);
  Place(label1_, kLabel1);

  picture1_ = new PictureBox(frame1);
  picture1_->setObjectName(QStringLiteral("Picture1"));
  picture1_->SetPicture(operationsPicture_);
  Place(picture1_, {0, 480, 1920, 4335});
  connect(picture1_, &PictureBox::MouseMoved, this, &MainWindow::Picture1_MouseMove);

  const std::array<TwipsRect, 6> commandPlaces = {{{220, 120, 855, 760},
                                                   {220, 1080, 855, 760},
                                                   {220, 2040, 855, 735},
                                                   {480, 240, 975, 735},
                                                   {480, 1100, 975, 735},
                                                   {480, 1920, 975, 735}}};
  for (int i = 1; i <= 6; ++i) {
    auto* hotspot = new Hotspot(picture1_, i, commandPlaces[static_cast<std::size_t>(i - 1)]);
    hotspot->setVisible(i <= 3);
    connect(hotspot, &Hotspot::Clicked, this, &MainWindow::img3_Click);
    connect(hotspot, &Hotspot::MouseMoved, this, &MainWindow::img3_MouseMove);
    img3_[static_cast<std::size_t>(i - 1)] = hotspot;
  }
  lPic_ = MakeFrame(picture1_);

  img2_[1] = new Hotspot(frame1, 2, {120, 4850, 1710, 255});
  img2_[0] = new Hotspot(frame1, 1, {100, 180, 1710, 270});
  for (Hotspot* hotspot : img2_) {
    connect(hotspot, &Hotspot::Clicked, this, &MainWindow::img2_Click);
    connect(hotspot, &Hotspot::MouseMoved, this, &MainWindow::img2_MouseMove);
  }
  lLabel1_ = MakeFrame(frame1);
}

void MainWindow::BuildTextArea() {
  QFrame* frame2 = MakePanelFrame(this, {2160, 600, 6615, 5175});
  frame2->setObjectName(QStringLiteral("Frame2"));
  txtOpen_ = new QPlainTextEdit(frame2);
  txtOpen_->setObjectName(QStringLiteral("txtOpen"));
  txtOpen_->setReadOnly(true);
  txtOpen_->setLineWrapMode(QPlainTextEdit::NoWrap);
  txtOpen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  txtOpen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // LiSu where it is installed, else the Chinese font the program ships with.
  QFont lisu = txtOpen_->font();
  lisu.setFamilies({QStringLiteral("LiSu"), QStringLiteral("隶书"), font().family()});
  lisu.setPointSizeF(14.25);
  txtOpen_->setFont(lisu);
  Place(txtOpen_, {120, 240, 6375, 4815});
  frmSheZhi_ = new SettingsPanel(frame2, settings_);
  Place(frmSheZhi_, {0, 0, 6615, 5175});
  connect(frmSheZhi_, &SettingsPanel::Closed, this, &MainWindow::frmSheZhi_Closed);
}

void MainWindow::Form_Load() {
  SetTxtOpen(ToQString(kHelpText));
  settings_.Reset();
}

void MainWindow::SetTxtOpen(const QString& text) {
  txtOpenText_ = text;
  txtOpen_->setPlainText(text);
}

// ---- Commands --------------------------------------------------------------

void MainWindow::img3_Click(int index) {
  switch (index) {
  case 1:
    return OpenProject();
  case 2:
    return StartRun();
  case 3:
    return OpenSettings();
  case 4:
    return OpenWebPage();
  case 5:
    return SetTxtOpen(ToQString(kHelpText));
  case 6:
    return SetTxtOpen(ToQString(kContactText));
  default:
    return;
  }
}

void MainWindow::img1_Click(int index) {
  switch (index) {
  case 1:
    return OpenWebPage();
  case 2:
    return platform_.Minimise(this);
  case 3:
    close();
    return;
  default:
    return;
  }
}

void MainWindow::img2_Click(int index) {
  if (index == 1 || otherOptionsShown_) {
    ApplyLayout(OperationsLayout());
    otherOptionsShown_ = false;
    return;
  }
  ApplyLayout(OtherOptionsLayout(kLabel1.Top, kLabel1.Height, layout_.Picture1Top));
  otherOptionsShown_ = true;
  // Only a showing panel is cancelled: cancelling a never-opened panel would
  // put an indent width of 0 and an empty separator into its boxes.
  if (frmSheZhi_->isVisible())
    frmSheZhi_->cmdCancle_Click();
}

void MainWindow::OpenProject() {
  projectPath_ = platform_.ChooseProjectFile(this);
  projectFolder_ = ToQString(ProjectFolderOf(ToU16(projectPath_)));
}

void MainWindow::StartRun() {
  if (projectPath_.isEmpty()) {
    platform_.ShowInformation(this, ToQString(kNoProjectMessage));
    return;
  }
  OperationReport report;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const std::optional<Failure> failure =
      ProcessProject(ToU16(projectPath_), RunEnvironment{settings_, codes_, files_}, report);
  QApplication::restoreOverrideCursor();
  if (report.Started())
    SetTxtOpen(ToQString(report.Text()));
  if (failure)
    platform_.ShowInformation(this, QStringLiteral("处理中断：") +
                                        ToQString(DescribeInChinese(*failure)));
}

void MainWindow::OpenSettings() {
  frmSheZhi_->Open();
  img3_[0]->setEnabled(false);
  img3_[1]->setEnabled(false);
}

void MainWindow::frmSheZhi_Closed() {
  img3_[0]->setEnabled(true);
  img3_[1]->setEnabled(true);
}

void MainWindow::OpenWebPage() {
  platform_.OpenUrl(QUrl(
      QString::fromUtf8(kWebPageAddress.data(), static_cast<qsizetype>(kWebPageAddress.size()))));
}

/// The three tops, then the hotspots that hide, then those that show, then
/// the picture.
void MainWindow::ApplyLayout(const GroupLayout& layout) {
  layout_ = layout;
  label2_->move(label2_->x(), Px(layout.Label2Top));
  picture1_->move(picture1_->x(), Px(layout.Picture1Top));
  img2_[1]->SetTop(layout.Img2SecondTop);
  for (int i = 0; i < 6; ++i)
    if ((i < 3) == layout.OtherOptions)
      img3_[static_cast<std::size_t>(i)]->hide();
  for (int i = 0; i < 6; ++i)
    if ((i < 3) != layout.OtherOptions)
      img3_[static_cast<std::size_t>(i)]->show();
  picture1_->SetPicture(layout.OtherOptions ? otherOptionsPicture_ : operationsPicture_);
}

// ---- Hover frames ----------------------------------------------------------

void MainWindow::lHttp_Move(const HoverFrame& w_Line, std::span<Hotspot* const> w_Obj, int index,
                            bool bShowFlag, bool aSet) {
  if (!bShowFlag) {
    for (LineShape* segment : w_Line)
      segment->hide();
    return;
  }
  const std::array<Segment, 4> ends =
      FrameAround(w_Obj[static_cast<std::size_t>(index - 1)]->Place());
  for (std::size_t i = 0; i < 4; ++i)
    w_Line[i]->SetEnds(ends[i]);
  for (LineShape* segment : w_Line) {
    segment->show();
    segment->raise();
  }
  lHttp_Click(w_Line, aSet);
}

void MainWindow::lHttp_Click(const HoverFrame& w_Line, bool bShowFlag) {
  const std::array<Rgb, 4> colours = FrameColours(bShowFlag);
  for (std::size_t i = 0; i < 4; ++i)
    w_Line[i]->SetColour(ToQColor(colours[i]));
}

void MainWindow::img1_MouseMove(int index) {
  lHttp_Move(lHttp1_, img1_, index, true, true);
}

void MainWindow::img2_MouseMove(int index) {
  lHttp_Move(lLabel1_, img2_, index, true, false);
}

void MainWindow::img3_MouseMove(int index) {
  lHttp_Move(lPic_, img3_, index, true, true);
}

void MainWindow::imgTitle_MouseMove() {
  lHttp_Move(lHttp1_, img1_, 0, false, true);
}

void MainWindow::Form_MouseMove() {
  lHttp_Move(lHttp1_, img1_, 0, false, true);
  lHttp_Move(lLabel1_, img2_, 0, false, true);
  lHttp_Move(lPic_, img3_, 0, false, true);
}

void MainWindow::Picture1_MouseMove() {
  Form_MouseMove();
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  Form_MouseMove();
}

// ---- Dragging by the title picture -----------------------------------------

void MainWindow::imgTitle_MouseDown(Qt::MouseButton button, QPointF globalPosition) {
  if (button != Qt::LeftButton)
    return;
  if (platform_.StartSystemMove(this))
    return;
  // No window manager to move it: follow the mouse by hand until release.
  draggingByHand_ = true;
  dragOffset_ = globalPosition - QPointF(pos());
}

void MainWindow::imgTitle_MouseDrag(QPointF globalPosition) {
  if (draggingByHand_)
    move((globalPosition - dragOffset_).toPoint());
}

void MainWindow::imgTitle_MouseUp() {
  draggingByHand_ = false;
}

} // namespace qf::ui

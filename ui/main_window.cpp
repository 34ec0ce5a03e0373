#include "ui/main_window.h"

#include "processing/project_paths.h"
#include "ui/fonts.h"
#include "ui/hotspot.h"
#include "ui/line_shape.h"
#include "ui/picture_box.h"
#include "ui/pictures.h"
#include "ui/place.h"
#include "ui/platform.h"
#include "ui/qt_text.h"
#include "ui/run_thread.h" // the constructor may have to end run_
#include "ui/saved_defaults.h"
#include "ui/settings_panel.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QUrl>

namespace qf::ui {
namespace {

QFrame* MakePanelFrame(QWidget* parent, std::string_view name) {
  auto* frame = new QFrame(parent);
  frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
  FillBackground(frame, kBackground, QPalette::Window);
  // The frames have no mouse-move handling: a hover frame stays visible
  // while the mouse is over them.
  frame->setAttribute(Qt::WA_NoMousePropagation);
  PlaceNamed(frame, name);
  return frame;
}

/// The lines of kLines that lie in `container`.
void MakeLines(QWidget* container) {
  for (const LinePlace& line : kLines) {
    if (container->objectName() != QLatin1StringView(line.Container))
      continue;
    auto* shape = new LineShape(container, 1, container->palette().color(QPalette::WindowText));
    shape->setObjectName(QLatin1StringView(line.Name));
    shape->SetEnds(line.Ends);
  }
}

/// A header label. Its text starts at the top of its box, as labels of the
/// design's toolkit draw it: the hover frame around the header then runs
/// below the text, not through it.
QLabel* MakeHeader(QWidget* parent, const QString& caption, std::string_view name) {
  auto* label = new QLabel(caption, parent);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  PlaceNamed(label, name);
  return label;
}

} // namespace

MainWindow::MainWindow(Platform& platform, FileSystem& files, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::Window), platform_(platform), files_(files) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("Quillformer"));
  setWindowIcon(WindowIcon());
  setFont(WindowFont());
  setFixedSize(Px(PlaceOf("frmMain").Width), Px(PlaceOf("frmMain").Height));
  FillBackground(this, kBackground, QPalette::Window);
  setMouseTracking(true);
  setAcceptDrops(true);
  operationsPicture_ = OperationsPicture();
  otherOptionsPicture_ = OtherOptionsPicture();
  const std::optional<PanelValues> savedDefaults = saved_defaults::Load();
  BuildTitle();
  MakeLines(this);
  BuildCommandPanel();
  BuildTextArea(savedDefaults.value_or(PanelValues{}));
  for (Hotspot* hotspot : img1_)
    hotspot->raise();
  for (LineShape* segment : lHttp1_)
    segment->raise();
  Form_Load(savedDefaults);
}

HoverFrame MainWindow::MakeFrame(QWidget* container, std::string_view name) {
  HoverFrame frame{};
  for (std::size_t i = 0; i < frame.size(); ++i) {
    frame[i] = new LineShape(container, 2, Qt::black);
    frame[i]->setObjectName(QString::fromStdString(ElementName(name, static_cast<int>(i + 1))));
    frame[i]->hide();
  }
  return frame;
}

void MainWindow::BuildTitle() {
  imgTitle_ = new PictureBox(this);
  imgTitle_->SetPicture(TitlePicture());
  PlaceNamed(imgTitle_, "imgTitle");
  connect(imgTitle_, &PictureBox::MouseMoved, this, &MainWindow::imgTitle_MouseMove);
  connect(imgTitle_, &PictureBox::MousePressed, this, &MainWindow::imgTitle_MouseDown);
  connect(imgTitle_, &PictureBox::MouseDragged, this, &MainWindow::imgTitle_MouseDrag);
  connect(imgTitle_, &PictureBox::MouseReleased, this, &MainWindow::imgTitle_MouseUp);

  for (int i = 1; i <= 3; ++i) {
    auto* hotspot = new Hotspot(this, "img1", i);
    connect(hotspot, &Hotspot::Clicked, this, &MainWindow::img1_Click);
    connect(hotspot, &Hotspot::MouseMoved, this, &MainWindow::img1_MouseMove);
    img1_[static_cast<std::size_t>(i - 1)] = hotspot;
  }
  img1_[0]->setToolTip(QStringLiteral("访问主页"));
  img1_[1]->setToolTip(QStringLiteral("最小化"));
  img1_[2]->setToolTip(QStringLiteral("关闭"));
  lHttp1_ = MakeFrame(this, "lHttp1");
}

void MainWindow::BuildCommandPanel() {
  QFrame* frame1 = MakePanelFrame(this, "Frame1");
  MakeLines(frame1);
  label2_ = MakeHeader(frame1, QStringLiteral("   其它选项   >>>  "), "Label2");
  MakeHeader(frame1, QStringLiteral("   操作设置   >>>  "), "Label1");

  picture1_ = new PictureBox(frame1);
  picture1_->SetPicture(operationsPicture_);
  PlaceNamed(picture1_, "Picture1");
  connect(picture1_, &PictureBox::MouseMoved, this, &MainWindow::Picture1_MouseMove);

  for (int i = 1; i <= 6; ++i) {
    auto* hotspot = new Hotspot(picture1_, "img3", i);
    hotspot->setVisible(i <= 3);
    connect(hotspot, &Hotspot::Clicked, this, &MainWindow::img3_Click);
    connect(hotspot, &Hotspot::MouseMoved, this, &MainWindow::img3_MouseMove);
    img3_[static_cast<std::size_t>(i - 1)] = hotspot;
  }
  lPic_ = MakeFrame(picture1_, "lPic");

  img2_[1] = new Hotspot(frame1, "img2", 2);
  img2_[0] = new Hotspot(frame1, "img2", 1);
  for (Hotspot* hotspot : img2_) {
    connect(hotspot, &Hotspot::Clicked, this, &MainWindow::img2_Click);
    connect(hotspot, &Hotspot::MouseMoved, this, &MainWindow::img2_MouseMove);
  }
  lLabel1_ = MakeFrame(frame1, "lLabel1");
}

void MainWindow::BuildTextArea(const PanelValues& panelStart) {
  QFrame* frame2 = MakePanelFrame(this, "Frame2");
  txtOpen_ = new QPlainTextEdit(frame2);
  txtOpen_->setReadOnly(true);
  txtOpen_->setLineWrapMode(QPlainTextEdit::NoWrap);
  txtOpen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  txtOpen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // A read-only box has no use for drops; refusing them lets a project file
  // dropped on the text reach the window.
  txtOpen_->setAcceptDrops(false);
  // Nothing is typed into it: a report appended line by line would only
  // pile up undo steps.
  txtOpen_->setUndoRedoEnabled(false);
  txtOpen_->setFont(
      FontOrFallback(font(), {QStringLiteral("LiSu"), QStringLiteral("隶书")}, 14.25));
  PlaceNamed(txtOpen_, "txtOpen");
  frmSheZhi_ = new SettingsPanel(frame2, panelStart);
  connect(frmSheZhi_, &SettingsPanel::Committed, this, &MainWindow::frmSheZhi_Committed);
  connect(frmSheZhi_, &SettingsPanel::SaveRequested, this, &MainWindow::frmSheZhi_SaveRequested);
  connect(frmSheZhi_, &SettingsPanel::Closed, this, &MainWindow::frmSheZhi_Closed);
}

void MainWindow::Form_Load(const std::optional<PanelValues>& savedDefaults) {
  SetTxtOpen(ToQString(kHelpText));
  // settings_ holds the start-up values from its construction.
  if (savedDefaults)
    settings_.Commit(savedDefaults->IndentWidth, DeriveSeparators(savedDefaults->SeparatorText));
}

void MainWindow::SetTxtOpen(const QString& text) {
  txtOpen_->setPlainText(text);
}

// ---- Commands --------------------------------------------------------------

void MainWindow::img3_Click(int index) {
  if (const std::optional<Command> command = Img3Command(index))
    Run(*command);
}

void MainWindow::img1_Click(int index) {
  if (const std::optional<Command> command = Img1Command(index))
    Run(*command);
}

void MainWindow::Run(Command command) {
  switch (command) {
  case Command::OpenProject:
    return OpenProject();
  case Command::Start:
    return StartRun();
  case Command::Settings:
    return OpenSettings();
  case Command::WebPage:
    return OpenWebPage();
  case Command::About:
    return SetTxtOpen(ToQString(kHelpText));
  case Command::WriteToMaker:
    return SetTxtOpen(ToQString(kContactText));
  case Command::Minimise:
    return platform_.Minimise(this);
  case Command::Close:
    close();
    return;
  }
}

void MainWindow::img2_Click(int index) {
  if (index == 1 || otherOptionsShown_) {
    ApplyLayout(OperationsLayout());
    otherOptionsShown_ = false;
    return;
  }
  const TwipsRect label1 = PlaceOf("Label1");
  ApplyLayout(OtherOptionsLayout(label1.Top, label1.Height, layout_.Picture1Top));
  otherOptionsShown_ = true;
  // Only a showing panel is cancelled: cancelling a never-opened panel would
  // put an indent width of 0 and an empty separator into its boxes.
  if (frmSheZhi_->isVisible())
    frmSheZhi_->cmdCancle_Click();
}

void MainWindow::OpenProject() {
  ChooseProject(platform_.ChooseProjectFile(this));
}

void MainWindow::ChooseProject(const QString& path) {
  projectPath_ = path;
  projectFolder_ = ToQString(ProjectFolderOf(ToU16(projectPath_)));
  emit ProjectChosen(projectPath_, projectFolder_);
}

/// The open-project and start hotspots are off while the panel shows.
void MainWindow::OpenSettings() {
  frmSheZhi_->Open();
  panelOpen_ = true;
  UpdateCommands();
}

void MainWindow::frmSheZhi_Committed(std::int16_t indentWidth, const Separators& separators) {
  settings_.Commit(indentWidth, separators);
}

void MainWindow::frmSheZhi_SaveRequested(const PanelValues& values) {
  if (!saved_defaults::Save(values))
    platform_.ShowInformation(this, QStringLiteral("默认设置未能保存：") + saved_defaults::File());
}

void MainWindow::frmSheZhi_Closed() {
  panelOpen_ = false;
  UpdateCommands();
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

// ---- A project dropped on the window ----------------------------------------

/// The project file at `path`: an existing file whose name ends in ".vbp"
/// in any case, as an absolute path. Empty for anything else, and while the
/// open-project command is off (the settings panel shows, or a run goes on).
QString MainWindow::ProjectFileAt(const QString& path) const {
  if (path.isEmpty() || !img3_[0]->isEnabled())
    return {};
  const QFileInfo file(path);
  if (!file.isFile() || file.suffix().compare(QStringLiteral("vbp"), Qt::CaseInsensitive) != 0)
    return {};
  return file.absoluteFilePath();
}

/// The project file that a drag carries: exactly one local file, which
/// ProjectFileAt takes.
QString MainWindow::DroppedProject(const QMimeData* drag) const {
  if (drag == nullptr)
    return {};
  const QList<QUrl> urls = drag->urls();
  if (urls.size() != 1 || !urls.front().isLocalFile())
    return {};
  return ProjectFileAt(urls.front().toLocalFile());
}

bool MainWindow::ChooseProjectFile(const QString& path) {
  const QString project = ProjectFileAt(path);
  if (project.isEmpty())
    return false;
  ChooseProject(project);
  return true;
}

namespace {

/// Takes a drag of a project file, or refuses it (the cursor shows it).
/// The drop only reads the path: it is taken as a link or a copy, never as
/// a move, after which a file manager would delete the user's file.
void Answer(QDropEvent* event, bool project) {
  const Qt::DropActions offered = event->possibleActions();
  if (project && (offered & (Qt::LinkAction | Qt::CopyAction))) {
    event->setDropAction(offered & Qt::LinkAction ? Qt::LinkAction : Qt::CopyAction);
    event->accept();
  } else {
    event->ignore();
  }
}

} // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  Answer(event, !DroppedProject(event->mimeData()).isEmpty());
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
  Answer(event, !DroppedProject(event->mimeData()).isEmpty());
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QString path = DroppedProject(event->mimeData());
  Answer(event, !path.isEmpty());
  if (event->isAccepted())
    ChooseProject(path);
}

} // namespace qf::ui

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
  for (Hotspot* hotspot : titleHotspots_)
    hotspot->raise();
  for (LineShape* segment : titleFrame_)
    segment->raise();
  ShowText(ToQString(kHelpText));
  // settings_ holds the start-up values from its construction.
  if (savedDefaults)
    settings_.Commit(savedDefaults->IndentWidth, DeriveSeparators(savedDefaults->SeparatorText));
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
  titlePicture_ = new PictureBox(this);
  titlePicture_->SetPicture(TitlePicture());
  PlaceNamed(titlePicture_, "imgTitle");
  connect(titlePicture_, &PictureBox::MouseMoved, this, &MainWindow::OnTitlePictureHovered);
  connect(titlePicture_, &PictureBox::MousePressed, this, &MainWindow::OnTitlePressed);
  connect(titlePicture_, &PictureBox::MouseDragged, this, &MainWindow::OnTitleDragged);
  connect(titlePicture_, &PictureBox::MouseReleased, this, &MainWindow::OnTitleReleased);

  for (int i = 1; i <= 3; ++i) {
    auto* hotspot = new Hotspot(this, "img1", i);
    connect(hotspot, &Hotspot::Clicked, this, &MainWindow::OnTitleHotspotClicked);
    connect(hotspot, &Hotspot::MouseMoved, this, &MainWindow::OnTitleHotspotHovered);
    titleHotspots_[static_cast<std::size_t>(i - 1)] = hotspot;
  }
  titleHotspots_[0]->setToolTip(QStringLiteral("访问主页"));
  titleHotspots_[1]->setToolTip(QStringLiteral("最小化"));
  titleHotspots_[2]->setToolTip(QStringLiteral("关闭"));
  titleFrame_ = MakeFrame(this, "lHttp1");
}

void MainWindow::BuildCommandPanel() {
  QFrame* panel = MakePanelFrame(this, "Frame1");
  MakeLines(panel);
  otherOptionsHeader_ = MakeHeader(panel, QStringLiteral("   其它选项   >>>  "), "Label2");
  MakeHeader(panel, QStringLiteral("   操作设置   >>>  "), "Label1");

  commandPicture_ = new PictureBox(panel);
  commandPicture_->SetPicture(operationsPicture_);
  PlaceNamed(commandPicture_, "Picture1");
  connect(commandPicture_, &PictureBox::MouseMoved, this, &MainWindow::HideHoverFrames);

  for (int i = 1; i <= 6; ++i) {
    auto* hotspot = new Hotspot(commandPicture_, "img3", i);
    hotspot->setVisible(i <= 3);
    connect(hotspot, &Hotspot::Clicked, this, &MainWindow::OnCommandHotspotClicked);
    connect(hotspot, &Hotspot::MouseMoved, this, &MainWindow::OnCommandHotspotHovered);
    commandHotspots_[static_cast<std::size_t>(i - 1)] = hotspot;
  }
  commandFrame_ = MakeFrame(commandPicture_, "lPic");

  // Made in the design's order, which is their stacking order.
  groupHeaders_[1] = new Hotspot(panel, "img2", 2);
  groupHeaders_[0] = new Hotspot(panel, "img2", 1);
  for (Hotspot* hotspot : groupHeaders_) {
    connect(hotspot, &Hotspot::Clicked, this, &MainWindow::OnGroupHeaderClicked);
    connect(hotspot, &Hotspot::MouseMoved, this, &MainWindow::OnGroupHeaderHovered);
  }
  headerFrame_ = MakeFrame(panel, "lLabel1");
}

void MainWindow::BuildTextArea(const PanelValues& panelStart) {
  QFrame* area = MakePanelFrame(this, "Frame2");
  textBox_ = new QPlainTextEdit(area);
  textBox_->setReadOnly(true);
  textBox_->setLineWrapMode(QPlainTextEdit::NoWrap);
  textBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  textBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // A read-only box has no use for drops; refusing them lets a project file
  // dropped on the text reach the window.
  textBox_->setAcceptDrops(false);
  // Nothing is typed into it: a report appended line by line would only
  // pile up undo steps.
  textBox_->setUndoRedoEnabled(false);
  textBox_->setFont(
      FontOrFallback(font(), {QStringLiteral("LiSu"), QStringLiteral("隶书")}, 14.25));
  PlaceNamed(textBox_, "txtOpen");
  settingsPanel_ = new SettingsPanel(area, panelStart);
  connect(settingsPanel_, &SettingsPanel::Committed, this, &MainWindow::OnSettingsCommitted);
  connect(settingsPanel_, &SettingsPanel::SaveRequested, this,
          &MainWindow::OnSaveDefaultsRequested);
  connect(settingsPanel_, &SettingsPanel::Closed, this, &MainWindow::OnSettingsClosed);
}

void MainWindow::ShowText(const QString& text) {
  textBox_->setPlainText(text);
}

// ---- Commands --------------------------------------------------------------

void MainWindow::OnCommandHotspotClicked(int index) {
  if (const std::optional<Command> command = PanelCommand(index))
    Perform(*command);
}

void MainWindow::OnTitleHotspotClicked(int index) {
  if (const std::optional<Command> command = TitleCommand(index))
    Perform(*command);
}

void MainWindow::Perform(Command command) {
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
    return ShowText(ToQString(kHelpText));
  case Command::WriteToMaker:
    return ShowText(ToQString(kContactText));
  case Command::Minimise:
    return platform_.Minimise(this);
  case Command::Close:
    close();
    return;
  }
}

/// The operations header (index 1) shows the operations; the other-options
/// header (2) switches between the two groups.
void MainWindow::OnGroupHeaderClicked(int index) {
  if (index == 1 || otherOptionsShown_) {
    ApplyLayout(OperationsLayout());
    otherOptionsShown_ = false;
    return;
  }
  const TwipsRect operationsHeader = PlaceOf("Label1");
  ApplyLayout(
      OtherOptionsLayout(operationsHeader.Top, operationsHeader.Height, layout_.PictureTop));
  otherOptionsShown_ = true;
  // Only an open panel is cancelled: cancelling a never-opened panel would
  // put an indent width of 0 and an empty separator into its boxes.
  if (settingsOpen_)
    settingsPanel_->Cancel();
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
  settingsPanel_->Open();
  settingsOpen_ = true;
  UpdateCommands();
}

void MainWindow::OnSettingsCommitted(std::int16_t indentWidth, const Separators& separators) {
  settings_.Commit(indentWidth, separators);
}

void MainWindow::OnSaveDefaultsRequested(const PanelValues& values) {
  if (!saved_defaults::Save(values))
    platform_.ShowInformation(this, QStringLiteral("默认设置未能保存：") + saved_defaults::File());
}

void MainWindow::OnSettingsClosed() {
  settingsOpen_ = false;
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
  otherOptionsHeader_->move(otherOptionsHeader_->x(), Px(layout.OtherOptionsHeaderTop));
  commandPicture_->move(commandPicture_->x(), Px(layout.PictureTop));
  groupHeaders_[1]->SetTop(layout.OtherOptionsHotspotTop);
  for (int i = 0; i < 6; ++i)
    if ((i < 3) == layout.OtherOptions)
      commandHotspots_[static_cast<std::size_t>(i)]->hide();
  for (int i = 0; i < 6; ++i)
    if ((i < 3) != layout.OtherOptions)
      commandHotspots_[static_cast<std::size_t>(i)]->show();
  commandPicture_->SetPicture(layout.OtherOptions ? otherOptionsPicture_ : operationsPicture_);
}

// ---- A project dropped on the window ----------------------------------------

/// The project file at `path`: an existing file whose name ends in ".vbp"
/// in any case, as an absolute path. Empty for anything else, and while the
/// open-project command is off (the settings panel shows, or a run goes on).
QString MainWindow::ProjectFileAt(const QString& path) const {
  if (path.isEmpty() || !CanChooseProject())
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

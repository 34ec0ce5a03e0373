#pragma once

#include "io/file_system.h"
#include "settings/processing_settings.h"
#include "ui/panel_values.h"
#include "ui/window_model.h"

#include <QPixmap>
#include <QPointF>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>

class QLabel;
class QMimeData;
class QPlainTextEdit;

namespace qf::ui {

class Hotspot;
class LineShape;
class PictureBox;
class Platform;
class RunThread;
class SettingsPanel;

/// A hover frame: four line segments (top, bottom, left, right).
using HoverFrame = std::array<LineShape*, 4>;

/// The main window, frmMain: a borderless 590 × 391 window with a title
/// picture, a command panel of image hotspots in two groups (operations:
/// open project, start, settings; other options: web page, about, write to
/// the maker) and a text area that shows the help text, the contact text or
/// the operation report. It holds the project choice and the one instance
/// of the processing settings. A project file dropped on it from a file
/// manager, or named on its command line (a file manager's Open With), is
/// chosen as the open-project command would choose it.
///
/// A run goes on a thread of its own (RunThread) while the window stays in
/// use: its report grows in the text box as the run appends it, the wait
/// cursor shows, and the commands that would start another run, change its
/// project or settings, or replace the growing report (open project, start,
/// settings, about, write to the maker) are off until it ends. Closing the
/// window during a run stops the run after the file in hand, then closes.
/// A run that meets files processed already (they carry the marker) counts
/// them at the end of its report and offers to tidy them again: the same
/// project, run in update mode.
///
/// Its controls carry the design's names as object names ("txtOpen",
/// "frmSheZhi", "img3(2)", "lPic(1)"), each standing where kPlaces puts it.
class MainWindow : public QWidget {
  Q_OBJECT

public:
  /// Builds the window, showing the help text. Where the settings panel's
  /// values were saved as defaults (saved_defaults.h), the start is the
  /// state that confirming the panel with them gives: the panel's boxes show
  /// them and the processing settings hold them (the indent width and the
  /// separator pair derived from the text). Without saved defaults both begin with the
  /// built-in values: boxes 4 and "#", settings 4, "##" and 66 "#".
  MainWindow(Platform& platform, FileSystem& files = RealFileSystem(), QWidget* parent = nullptr);
  /// A run still going is asked to stop, and its file in hand finished.
  ~MainWindow() override;

  /// Chooses the project file at `path` (relative to the current folder,
  /// or absolute) as a dropped one is chosen: an existing file ending in
  /// ".vbp". False, and the choice unchanged, for anything else.
  bool ChooseProjectFile(const QString& path);

signals:
  /// The open-project command or a drop chose a project: its path and its
  /// folder (both empty when the Open dialog was cancelled).
  void ProjectChosen(const QString& projectPath, const QString& projectFolder);
  /// A run has ended: its whole report is in the text box, its failure was
  /// told, and the commands are on again. Right after it, where the run
  /// refused files for carrying the marker, the window asks whether to
  /// tidy them again (Platform::Ask); accepted, an update run starts.
  void RunEnded();

private slots:
  void OnTitleHotspotClicked(int index);
  void OnGroupHeaderClicked(int index);
  void OnCommandHotspotClicked(int index);
  void OnTitleHotspotHovered(int index);
  void OnGroupHeaderHovered(int index);
  void OnCommandHotspotHovered(int index);
  void OnTitlePictureHovered();
  void OnTitlePressed(Qt::MouseButton button, QPointF globalPosition);
  void OnTitleDragged(QPointF globalPosition);
  void OnTitleReleased();
  void OnSettingsCommitted(std::int16_t indentWidth, const qf::Separators& separators);
  void OnSaveDefaultsRequested(const qf::ui::PanelValues& values);
  void OnSettingsClosed();
  void ShowReportLines();
  void EndRun();

protected:
  void closeEvent(QCloseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

private:
  void BuildTitle();
  void BuildCommandPanel();
  void BuildTextArea(const PanelValues& panelStart);
  HoverFrame MakeFrame(QWidget* container, std::string_view name);

  void Perform(Command command);
  void OpenProject();
  void ChooseProject(const QString& path);
  void StartRun();
  /// Starts a run of the chosen project with `settings`; none may be going.
  void BeginRun(const ProcessingSettings& settings);
  void OfferToTidyAgain(int count);
  void OpenSettings();
  void OpenWebPage();
  void ApplyLayout(const GroupLayout& layout);
  void ShowText(const QString& text);
  void UpdateCommands();
  /// A run is going on (run_ holds it).
  bool Running() const { return run_ != nullptr; }
  /// The open-project command is on: no run goes on and the settings panel
  /// is closed. A drop or a command-line project is taken only then.
  bool CanChooseProject() const { return !Running() && !settingsOpen_; }
  QString ProjectFileAt(const QString& path) const;
  QString DroppedProject(const QMimeData* drag) const;

  /// Puts `frame` on the outline of `hotspot`, over its siblings, sunken
  /// or raised (FrameColours).
  static void ShowFrameAround(const HoverFrame& frame, const Hotspot& hotspot, bool sunken);
  static void HideFrame(const HoverFrame& frame);
  /// Hides every hover frame: the mouse is over none of the hotspots.
  void HideHoverFrames();

  Platform& platform_;
  FileSystem& files_;
  ProcessingSettings settings_;
  QString projectPath_;
  QString projectFolder_;
  bool otherOptionsShown_ = false;
  GroupLayout layout_ = OperationsLayout();
  QPixmap operationsPicture_;   // held by commandPicture_ in that layout
  QPixmap otherOptionsPicture_; // held by commandPicture_ in that layout
  bool draggingByHand_ = false;
  QPointF dragOffset_;
  bool settingsOpen_ = false;      ///< the settings panel shows
  std::unique_ptr<RunThread> run_; ///< the run going on; null between runs
  bool reportShown_ = false;       ///< the run's report has replaced the text
  bool closeRequested_ = false;    ///< close once the run has ended

  // The controls, with their design names (their object names).
  PictureBox* titlePicture_ = nullptr;        // imgTitle
  PictureBox* commandPicture_ = nullptr;      // Picture1
  QLabel* otherOptionsHeader_ = nullptr;      // Label2
  QPlainTextEdit* textBox_ = nullptr;         // txtOpen
  SettingsPanel* settingsPanel_ = nullptr;    // frmSheZhi
  std::array<Hotspot*, 3> titleHotspots_{};   // img1(1..3)
  std::array<Hotspot*, 2> groupHeaders_{};    // img2(1..2)
  std::array<Hotspot*, 6> commandHotspots_{}; // img3(1..6)
  HoverFrame titleFrame_{};                   // lHttp1(1..4)
  HoverFrame headerFrame_{};                  // lLabel1(1..4)
  HoverFrame commandFrame_{};                 // lPic(1..4)
};

} // namespace qf::ui

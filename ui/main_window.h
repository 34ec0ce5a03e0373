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
#include <span>

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
///
/// Its controls carry the design's names as object names ("txtOpen",
/// "frmSheZhi", "img3(2)", "lPic(1)"), each standing where kPlaces puts it.
class MainWindow : public QWidget {
  Q_OBJECT

public:
  /// Loads the window (Form_Load). Where the settings panel's values were
  /// saved as defaults (saved_defaults.h), the start is the state that
  /// confirming the panel with them gives: the panel's boxes show them and
  /// the processing settings hold them (the indent width and the separator
  /// pair derived from the text). Without saved defaults both begin with the
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
  /// told, and the commands are on again.
  void RunEnded();

private slots:
  void img1_Click(int index);
  void img2_Click(int index);
  void img3_Click(int index);
  void img1_MouseMove(int index);
  void img2_MouseMove(int index);
  void img3_MouseMove(int index);
  void imgTitle_MouseMove();
  void Picture1_MouseMove();
  void imgTitle_MouseDown(Qt::MouseButton button, QPointF globalPosition);
  void imgTitle_MouseDrag(QPointF globalPosition);
  void imgTitle_MouseUp();
  void frmSheZhi_Committed(std::int16_t indentWidth, const qf::Separators& separators);
  void frmSheZhi_SaveRequested(const qf::ui::PanelValues& values);
  void frmSheZhi_Closed();
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

  void Form_Load(const std::optional<PanelValues>& savedDefaults);
  void Form_MouseMove();
  void Run(Command command);
  void OpenProject();
  void ChooseProject(const QString& path);
  void StartRun();
  void OpenSettings();
  void OpenWebPage();
  void ApplyLayout(const GroupLayout& layout);
  void SetTxtOpen(const QString& text);
  void UpdateCommands();
  QString ProjectFileAt(const QString& path) const;
  QString DroppedProject(const QMimeData* drag) const;
  void lHttp_Move(const HoverFrame& w_Line, std::span<Hotspot* const> w_Obj, int index,
                  bool bShowFlag, bool aSet);
  void lHttp_Click(const HoverFrame& w_Line, bool bShowFlag);

  Platform& platform_;
  FileSystem& files_;
  ProcessingSettings settings_;
  QString projectPath_;
  QString projectFolder_;
  bool otherOptionsShown_ = false;
  GroupLayout layout_ = OperationsLayout();
  QPixmap operationsPicture_;   // held by Picture3
  QPixmap otherOptionsPicture_; // held by Picture2
  bool draggingByHand_ = false;
  QPointF dragOffset_;
  bool panelOpen_ = false;
  std::unique_ptr<RunThread> run_; ///< the run going on; null between runs
  bool reportShown_ = false;       ///< the run's report has replaced the text
  bool closeRequested_ = false;    ///< close once the run has ended

  PictureBox* imgTitle_ = nullptr;
  PictureBox* picture1_ = nullptr;
  QLabel* label2_ = nullptr;
  QPlainTextEdit* txtOpen_ = nullptr;
  SettingsPanel* frmSheZhi_ = nullptr;
  std::array<Hotspot*, 3> img1_{};
  std::array<Hotspot*, 2> img2_{};
  std::array<Hotspot*, 6> img3_{};
  HoverFrame lHttp1_{};
  HoverFrame lLabel1_{};
  HoverFrame lPic_{};
};

} // namespace qf::ui

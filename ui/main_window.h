#pragma once

#include "settings/processing_settings.h"
#include "text/code_page.h"
#include "text/file_system.h"
#include "ui/window_model.h"

#include <QPixmap>
#include <QPointF>
#include <QWidget>
#include <array>
#include <span>

class QLabel;
class QPlainTextEdit;

namespace qf::ui {

class Hotspot;
class LineShape;
class PictureBox;
class Platform;
class SettingsPanel;

/// A hover frame: four line segments (top, bottom, left, right).
using HoverFrame = std::array<LineShape*, 4>;

/// The main window, frmMain: a borderless 590 × 391 window with a title
/// picture, a command panel of image hotspots in two groups (operations:
/// open project, start, settings; other options: web page, about, write to
/// the maker) and a text area that shows the help text, the contact text or
/// the operation report. It holds the project choice and the one instance
/// of the processing settings.
class MainWindow : public QWidget {
  Q_OBJECT

public:
  MainWindow(Platform& platform, FileSystem& files = RealFileSystem(), QWidget* parent = nullptr);
  ~MainWindow() override;

  const QString& ProjectPath() const { return projectPath_; }
  const QString& ProjectFolder() const { return projectFolder_; }
  bool OtherOptionsShown() const { return otherOptionsShown_; }
  const ProcessingSettings& Settings() const { return settings_; }
  /// The text of txtOpen exactly as set (CR LF line ends).
  const QString& TxtOpenText() const { return txtOpenText_; }
  /// The command panel's current layout, in twips.
  const GroupLayout& Layout() const { return layout_; }

  QPlainTextEdit* TxtOpen() const { return txtOpen_; }
  SettingsPanel* FrmSheZhi() const { return frmSheZhi_; }
  PictureBox* ImgTitle() const { return imgTitle_; }
  PictureBox* Picture1() const { return picture1_; }
  QLabel* Label2() const { return label2_; }
  Hotspot* Img1(int index) const { return img1_.at(static_cast<std::size_t>(index - 1)); }
  Hotspot* Img2(int index) const { return img2_.at(static_cast<std::size_t>(index - 1)); }
  Hotspot* Img3(int index) const { return img3_.at(static_cast<std::size_t>(index - 1)); }
  const HoverFrame& LHttp1() const { return lHttp1_; }
  const HoverFrame& LLabel1() const { return lLabel1_; }
  const HoverFrame& LPic() const { return lPic_; }

public slots:
  void img3_Click(int index);
  void img1_Click(int index);
  void img2_Click(int index);

private slots:
  void img1_MouseMove(int index);
  void img2_MouseMove(int index);
  void img3_MouseMove(int index);
  void imgTitle_MouseMove();
  void Picture1_MouseMove();
  void imgTitle_MouseDown(Qt::MouseButton button, QPointF globalPosition);
  void imgTitle_MouseDrag(QPointF globalPosition);
  void imgTitle_MouseUp();
  void frmSheZhi_Closed();

protected:
  void mouseMoveEvent(QMouseEvent* event) override;

private:
  void BuildTitle();
  void BuildCommandPanel();
  void BuildTextArea();
  void BuildBorders();
  HoverFrame MakeFrame(QWidget* container);

  void Form_Load();
  void Form_MouseMove();
  void OpenProject();
  void StartRun();
  void OpenSettings();
  void OpenWebPage();
  void ApplyLayout(const GroupLayout& layout);
  void SetTxtOpen(const QString& text);
  void lHttp_Move(const HoverFrame& w_Line, std::span<Hotspot* const> w_Obj, int index,
                  bool bShowFlag, bool aSet);
  void lHttp_Click(const HoverFrame& w_Line, bool bShowFlag);

  Platform& platform_;
  FileSystem& files_;
  ProcessingSettings settings_;
  CodePage codes_{kDefaultCodePage};
  QString projectPath_;
  QString projectFolder_;
  bool otherOptionsShown_ = false;
  QString txtOpenText_;
  GroupLayout layout_ = OperationsLayout();
  QPixmap operationsPicture_;   // held by Picture3
  QPixmap otherOptionsPicture_; // held by Picture2
  bool draggingByHand_ = false;
  QPointF dragOffset_;

  PictureBox* imgTitle_ = nullptr;
  PictureBox* picture1_ = nullptr;
  QLabel* label1_ = nullptr;
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

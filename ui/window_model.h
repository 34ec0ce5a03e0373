#pragma once

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

/// What the main window computes, apart from any widget: its texts, the
/// places of both forms' controls in twips, its commands, the command
/// panel's two layouts, the hover frames and the settings panel's preview.
/// Tested without a window.
namespace qf::ui {

/// Screen positions are given in twips: 15 to a pixel at 96 dpi.
inline constexpr int kTwipsPerPixel = 15;

/// Twips to pixels, to the nearest pixel.
constexpr int Px(int twips) {
  return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                    : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

/// A control's place in its container, in twips.
struct TwipsRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool operator==(const TwipsRect&) const = default;
};

/// A colour.
struct Rgb {
  int Red = 0;
  int Green = 0;
  int Blue = 0;
  bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kBackground{224, 224, 224};

/// One straight line segment, from (X1, Y1) to (X2, Y2), in twips.
struct Segment {
  int X1 = 0;
  int Y1 = 0;
  int X2 = 0;
  int Y2 = 0;
  bool operator==(const Segment&) const = default;
};

/// A control of either form: its name (also its objectName), the name of
/// its container and its place there. An element of a control array is
/// named with its index, as "img3(2)".
struct ControlPlace {
  std::string_view Name;
  std::string_view Container;
  TwipsRect Rect;
};

/// Every control of frmMain and frmSheZhi that has a place, as designed.
/// img2(2) and Label2 stand where the operations layout puts them; the
/// command panel's other layout moves them (see GroupLayout). The hidden
/// holders of the two group pictures are left out: they are never shown.
inline constexpr std::array kPlaces = std::to_array<ControlPlace>({
    {"frmMain", "", {0, 0, 8850, 5865}},
    {"imgTitle", "frmMain", {0, 0, 8895, 660}},
    {"img1(1)", "frmMain", {7780, 60, 300, 300}},
    {"img1(2)", "frmMain", {8170, 60, 300, 300}},
    {"img1(3)", "frmMain", {8500, 60, 300, 300}},
    {"Frame1", "frmMain", {120, 600, 1935, 5175}},
    {"Frame2", "frmMain", {2160, 600, 6615, 5175}},
    {"Picture1", "Frame1", {0, 480, 1920, 4335}},
    {"img2(1)", "Frame1", {100, 180, 1710, 270}},
    {"img2(2)", "Frame1", {120, 4850, 1710, 255}},
    {"Label1", "Frame1", {90, 240, 1725, 180}},
    {"Label2", "Frame1", {100, 4890, 1725, 270}},
    {"img3(1)", "Picture1", {220, 120, 855, 760}},
    {"img3(2)", "Picture1", {220, 1080, 855, 760}},
    {"img3(3)", "Picture1", {220, 2040, 855, 735}},
    {"img3(4)", "Picture1", {480, 240, 975, 735}},
    {"img3(5)", "Picture1", {480, 1100, 975, 735}},
    {"img3(6)", "Picture1", {480, 1920, 975, 735}},
    {"txtOpen", "Frame2", {120, 240, 6375, 4815}},
    {"frmSheZhi", "Frame2", {0, 0, 6615, 5175}},
    {"Label3", "frmSheZhi", {240, 360, 1815, 375}},
    {"txtSpace", "frmSheZhi", {2160, 360, 495, 270}},
    {"VScroll1", "frmSheZhi", {2640, 360, 255, 255}},
    {"Label4", "frmSheZhi", {3000, 360, 3060, 180}},
    {"Label5", "frmSheZhi", {240, 960, 1695, 375}},
    {"Label6", "frmSheZhi", {1080, 1320, 1455, 375}},
    {"txtChar", "frmSheZhi", {2640, 1320, 975, 270}},
    {"Label7", "frmSheZhi", {3960, 1320, 1455, 375}},
    {"Text1", "frmSheZhi", {240, 1800, 6210, 1590}},
    {"Check1", "frmSheZhi", {240, 3120, 3375, 255}},
    {"cmdSave", "frmSheZhi", {1680, 3720, 1455, 495}},
    {"cmdOK", "frmSheZhi", {3120, 3720, 1455, 495}},
    {"cmdCancle", "frmSheZhi", {4560, 3720, 1455, 495}},
});

/// A line of either form: its name, its container and its two ends.
struct LinePlace {
  std::string_view Name;
  std::string_view Container;
  Segment Ends;
};

/// The window's border lines and the command panel's decoration lines.
inline constexpr std::array kLines = std::to_array<LinePlace>({
    {"Line1", "frmMain", {0, 5880, 0, 0}},
    {"Line2", "frmMain", {0, 5835, 8890, 5835}},
    {"Line3", "frmMain", {8830, 5835, 8830, 0}},
    {"Line8", "Frame1", {0, 105, 1920, 105}},
    {"Line7", "Frame1", {1900, 5160, 0, 5160}},
    {"Line6", "Frame1", {0, 5160, 0, 120}},
    {"Line4", "Frame1", {0, 500, 1920, 500}},
    {"Line5", "Frame1", {1905, 120, 1905, 5160}},
});

/// The place of a control of kPlaces. Used in a constant expression, a name
/// that is not in the table does not compile; at run time it throws
/// std::out_of_range.
constexpr TwipsRect PlaceOf(std::string_view name) {
  for (const ControlPlace& place : kPlaces)
    if (place.Name == name)
      return place.Rect;
  throw std::out_of_range("no control of that name");
}

/// The name of element `index` of a control array: "img3", 2 gives "img3(2)".
std::string ElementName(std::string_view array, int index);

/// The four segments of a hover frame around a hotspot: top, bottom, left,
/// right, lying exactly on its outline (nothing added for their width).
std::array<Segment, 4> FrameAround(const TwipsRect& hotspot);

/// The colours of the four segments: sunken (dark red top and left,
/// magenta bottom and right) or raised (white, purple).
std::array<Rgb, 4> FrameColours(bool sunken);

/// The command panel's layout: which group shows and where the moving
/// controls stand (twips, in the panel).
struct GroupLayout {
  int OtherOptionsHeaderTop = 0;  ///< Label2
  int PictureTop = 0;             ///< Picture1, the group's picture
  int OtherOptionsHotspotTop = 0; ///< img2(2), the other-options header's hotspot
  bool OtherOptions = false;
  bool operator==(const GroupLayout&) const = default;
};

/// The operations group: fixed places.
GroupLayout OperationsLayout();

/// The other-options group, computed from the operations header (Label1)
/// and the group picture's current top.
GroupLayout OtherOptionsLayout(int operationsHeaderTop, int operationsHeaderHeight, int pictureTop);

/// What the window's hotspots do. The command panel's hotspots img3(1..6)
/// and the title's img1(1..3) both dispatch through it.
enum class Command {
  OpenProject,
  Start,
  Settings,
  WebPage,
  About,
  WriteToMaker,
  Minimise,
  Close,
};

/// The command of a command-panel hotspot img3(index); none for an index
/// outside 1..6.
std::optional<Command> PanelCommand(int index);

/// The command of a title hotspot img1(index); none outside 1..3.
std::optional<Command> TitleCommand(int index);

/// The settings panel's preview of a comment header for a separator unit
/// and line: six lines joined by CR LF, with none after the last.
std::u16string PreviewText(std::u16string_view unit, std::u16string_view line);

/// The window's help text: thirteen lines, each ending in CR LF.
extern const std::u16string_view kHelpText;
/// The contact text: three lines, the last without a line break.
extern const std::u16string_view kContactText;
/// The message of a start without a chosen project.
inline constexpr std::u16string_view kNoProjectMessage = u"没有选择工程\r\n  请选择";
/// The caption of every message box.
inline constexpr std::u16string_view kMessageCaption = u"信息提示";
/// The maker's web page.
inline constexpr std::string_view kWebPageAddress = "https://vendelmark.example.com/quillformer";
/// The maker's contact e-mail address.
/// Short enough for the contact text's first line to fit the text box.
inline constexpr std::u16string_view kContactAddress = u"qf@vendelmark.example.com";
/// The Open dialog's one filter entry.
inline constexpr std::u16string_view kProjectFilter = u"*.vbp(Visual Basic工程文件) (*.vbp)";

} // namespace qf::ui

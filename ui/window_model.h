#pragma once

#include <array>
#include <string>
#include <string_view>

/// What the main window computes, apart from any widget: its texts, the
/// geometry of its controls in twips, the command panel's two layouts, the
/// hover frames and the settings panel's preview. Tested without a window.
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

/// The four segments of a hover frame around a hotspot: top, bottom, left,
/// right, lying exactly on its outline (nothing added for their width).
std::array<Segment, 4> FrameAround(const TwipsRect& hotspot);

/// The colours of the four segments: sunken (dark red top and left,
/// magenta bottom and right) or raised (white, purple).
std::array<Rgb, 4> FrameColours(bool sunken);

/// The command panel's layout: which group shows and where the moving
/// controls stand (twips, in the panel).
struct GroupLayout {
  int Label2Top = 0;
  int Picture1Top = 0;
  int Img2SecondTop = 0; ///< top of the other-options header's hotspot
  bool OtherOptions = false;
  bool operator==(const GroupLayout&) const = default;
};

/// The operations group: fixed places.
GroupLayout OperationsLayout();

/// The other-options group, computed from the operations header (Label1)
/// and the group picture's current top.
GroupLayout OtherOptionsLayout(int label1Top, int label1Height, int picture1Top);

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
inline constexpr std::u16string_view kContactAddress = u"quillformer@vendelmark.example.com";
/// The Open dialog's one filter entry.
inline constexpr std::u16string_view kProjectFilter = u"*.vbp(Visual Basic工程文件) (*.vbp)";

} // namespace qf::ui

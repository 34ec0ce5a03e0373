#include "ui/window_model.h"

namespace qf::ui {

std::array<Segment, 4> FrameAround(const TwipsRect& h) {
  const int right = h.Left + h.Width;
  const int bottom = h.Top + h.Height;
  return {{{h.Left, h.Top, right, h.Top},
           {h.Left, bottom, right, bottom},
           {h.Left, h.Top, h.Left, bottom},
           {right, h.Top, right, bottom}}};
}

std::array<Rgb, 4> FrameColours(bool sunken) {
  constexpr Rgb kDarkRed{135, 0, 0};
  constexpr Rgb kMagenta{255, 0, 255};
  constexpr Rgb kWhite{255, 255, 255};
  constexpr Rgb kPurple{135, 0, 135};
  if (sunken)
    return {kDarkRed, kMagenta, kDarkRed, kMagenta};
  return {kWhite, kPurple, kWhite, kPurple};
}

std::string ElementName(std::string_view array, int index) {
  return std::string(array) + "(" + std::to_string(index) + ")";
}

std::optional<Command> PanelCommand(int index) {
  constexpr std::array kCommands = {Command::OpenProject, Command::Start, Command::Settings,
                                    Command::WebPage,     Command::About, Command::WriteToMaker};
  if (index < 1 || index > static_cast<int>(kCommands.size()))
    return std::nullopt;
  return kCommands[static_cast<std::size_t>(index - 1)];
}

std::optional<Command> TitleCommand(int index) {
  constexpr std::array kCommands = {Command::WebPage, Command::Minimise, Command::Close};
  if (index < 1 || index > static_cast<int>(kCommands.size()))
    return std::nullopt;
  return kCommands[static_cast<std::size_t>(index - 1)];
}

GroupLayout OperationsLayout() {
  return {PlaceOf("Label2").Top, PlaceOf("Picture1").Top, PlaceOf("img2(2)").Top, false};
}

GroupLayout OtherOptionsLayout(int operationsHeaderTop, int operationsHeaderHeight,
                               int pictureTop) {
  const int headerBottom = operationsHeaderTop + operationsHeaderHeight;
  return {headerBottom + 200, pictureTop + 400, headerBottom + 150, true};
}

std::u16string PreviewText(std::u16string_view unit, std::u16string_view line) {
  std::u16string text;
  const auto add = [&text](std::u16string_view a, std::u16string_view b, std::u16string_view c) {
    text += u"'";
    text += a;
    text += b;
    text += c;
  };
  add(line, {}, u"\r\n");
  add(unit, u" 函数名称：ReMaxNum", u"\r\n");
  add(unit, u" 参数：Number1  为 Long型", u"\r\n");
  add(unit, u" 参数：Number2  为 Long型", u"\r\n");
  add(unit, u" 返回类型 为 Long型", u"\r\n");
  add(line, {}, {});
  return text;
}

const std::u16string_view kHelpText = u"1、本版本仅能对VB系列工程进行相关操作。\r\n"
                                      u"可使用打开项打开需要操作的工程。系统将智\r\n"
                                      u"能的对工程的相关文件进行一系列的操作，包\r\n"
                                      u"括对工程相关文件进行添加注释。以及对工程\r\n"
                                      u"的格式进行改进，使该工程便于阅读，符合标\r\n"
                                      u"准化设计的要求，为软件制作者减少因添加注\r\n"
                                      u"释、格式修改等造成的烦恼。\r\n"
                                      u"2 、可使用开始操作项进行所选择工程的操作\r\n"
                                      u"，\r\n"
                                      u"3、可使用设置项对注释要求，格式要求进行\r\n"
                                      u"修改，以符合自己的个性化设计。\r\n"
                                      u"4、本软件由Vendelmark制作，欢迎使用交流。\r\n"
                                      u"                  2002年8月28日\r\n";

const std::u16string_view kContactText = u"作者邮件地址：qf@vendelmark.example.com\r\n"
                                         u"如果有什么问题，或者你有什么建议、意见，\r\n"
                                         u"欢迎你的指正";

} // namespace qf::ui

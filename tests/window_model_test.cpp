// The window's pure logic: texts, twips, layouts, frames and preview.

#include "io/utf.h"
#include "ui/panel_values.h"
#include "ui/window_model.h"

#include <gtest/gtest.h>

namespace qf::ui {
namespace {

std::vector<std::u16string> SplitCrLf(std::u16string_view text) {
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(u"\r\n", start)) != std::u16string_view::npos;
       start = end + 2)
    lines.emplace_back(text.substr(start, end - start));
  lines.emplace_back(text.substr(start));
  return lines;
}

TEST(WindowModelTest, TwipsBecomePixelsAtFifteenEach) {
  EXPECT_EQ(Px(8850), 590);
  EXPECT_EQ(Px(5865), 391);
  EXPECT_EQ(Px(7780), 519); // 518.7 rounds to the nearest pixel
  EXPECT_EQ(Px(7), 0);
  EXPECT_EQ(Px(8), 1);
  EXPECT_EQ(Px(-8), -1);
}

TEST(WindowModelTest, AFrameLiesExactlyOnTheHotspotsOutline) {
  const std::array<Segment, 4> frame = FrameAround({220, 1080, 855, 760});
  EXPECT_EQ(frame[0], (Segment{220, 1080, 1075, 1080}));  // top
  EXPECT_EQ(frame[1], (Segment{220, 1840, 1075, 1840}));  // bottom
  EXPECT_EQ(frame[2], (Segment{220, 1080, 220, 1840}));   // left
  EXPECT_EQ(frame[3], (Segment{1075, 1080, 1075, 1840})); // right
}

TEST(WindowModelTest, SunkenAndRaisedColours) {
  const Rgb darkRed{135, 0, 0}, magenta{255, 0, 255}, white{255, 255, 255}, purple{135, 0, 135};
  EXPECT_EQ(FrameColours(true), (std::array<Rgb, 4>{darkRed, magenta, darkRed, magenta}));
  EXPECT_EQ(FrameColours(false), (std::array<Rgb, 4>{white, purple, white, purple}));
}

TEST(WindowModelTest, TheTwoGroupLayouts) {
  EXPECT_EQ(OperationsLayout(), (GroupLayout{4890, 480, 4850, false}));
  EXPECT_EQ(OtherOptionsLayout(240, 180, 480), (GroupLayout{620, 880, 570, true}));
  // Computed from where the controls stand, not fixed.
  EXPECT_EQ(OtherOptionsLayout(300, 200, 880), (GroupLayout{700, 1280, 650, true}));
}

TEST(WindowModelTest, ThePreviewKeepsItsOwnSampleTexts) {
  const std::u16string preview = PreviewText(u"ab", u"LINE");
  EXPECT_EQ(SplitCrLf(preview), (std::vector<std::u16string>{u"'LINE", u"'ab 函数名称：ReMaxNum",
                                                             u"'ab 参数：Number1  为 Long型",
                                                             u"'ab 参数：Number2  为 Long型",
                                                             u"'ab 返回类型 为 Long型", u"'LINE"}));
  EXPECT_FALSE(preview.ends_with(u"\n"));
}

TEST(WindowModelTest, HelpAndContactTexts) {
  const std::vector<std::u16string> help = SplitCrLf(kHelpText);
  ASSERT_EQ(help.size(), 14u) << "thirteen lines, each ending in CR LF";
  EXPECT_EQ(help[0], u"1、本版本仅能对VB系列工程进行相关操作。");
  EXPECT_EQ(help[7], u"2 、可使用开始操作项进行所选择工程的操作");
  EXPECT_EQ(help[8], u"，");
  EXPECT_TRUE(help[11].starts_with(u"4、"));
  EXPECT_NE(help[11].find(u"Vendelmark"), std::u16string::npos);
  EXPECT_EQ(help[12], std::u16string(18, u' ') + u"2002年8月28日");
  EXPECT_EQ(help[13], u"");

  const std::vector<std::u16string> contact = SplitCrLf(kContactText);
  ASSERT_EQ(contact.size(), 3u);
  EXPECT_EQ(contact[0], std::u16string(u"作者邮件地址：") + std::u16string(kContactAddress));
  EXPECT_EQ(contact[1], u"如果有什么问题，或者你有什么建议、意见，");
  EXPECT_EQ(contact[2], u"欢迎你的指正");
}

// Saved defaults come from a file anyone can edit: each value is taken only
// where the boxes could show it, and alone.
TEST(WindowModelTest, SavedDefaultsTakeOnlyValuesTheBoxesCanShow) {
  using Values = std::optional<PanelValues>;
  EXPECT_EQ(StartValuesFrom(0, u""), (Values{{0, u""}}));
  EXPECT_EQ(StartValuesFrom(100, u"一二三四五六七八"), (Values{{100, u"一二三四五六七八"}}));
  EXPECT_EQ(StartValuesFrom(101, u"ab"), (Values{{4, u"ab"}}));
  EXPECT_EQ(StartValuesFrom(-1, u"ReMaxNum"), (Values{{4, u"ReMaxNum"}}));
  EXPECT_EQ(StartValuesFrom(7, u"ReMaxNumX"), (Values{{7, u"#"}}));
  EXPECT_EQ(StartValuesFrom(7, std::nullopt), (Values{{7, u"#"}}));
  // Four characters outside the BMP are eight code units; five are ten.
  EXPECT_EQ(StartValuesFrom(std::nullopt, u"𝄞𝄞𝄞𝄞"), (Values{{4, u"𝄞𝄞𝄞𝄞"}}));
  EXPECT_EQ(StartValuesFrom(std::nullopt, u"𝄞𝄞𝄞𝄞𝄞"), std::nullopt);
  // A line break or tab would break or shift the comment headers' lines.
  EXPECT_EQ(StartValuesFrom(3, u"a\r\nb"), (Values{{3, u"#"}}));
  EXPECT_EQ(StartValuesFrom(std::nullopt, u"\t"), std::nullopt);
  EXPECT_EQ(StartValuesFrom(1LL << 40, std::nullopt), std::nullopt);
  EXPECT_EQ(StartValuesFrom(std::nullopt, std::nullopt), std::nullopt);
}

} // namespace
} // namespace qf::ui

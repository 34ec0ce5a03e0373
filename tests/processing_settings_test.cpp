#include "io/utf.h"
#include "settings/processing_settings.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <string_view>

namespace qf {
namespace {

using std::u16string_view;

::testing::AssertionResult SameText(const char* expectedExpr, const char* actualExpr,
                                    u16string_view expected, u16string_view actual) {
  if (expected == actual)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << actualExpr << " is \"" << Utf16ToUtf8(actual) << "\" (" << actual.size()
         << " units)\nbut " << expectedExpr << " is \"" << Utf16ToUtf8(expected) << "\" ("
         << expected.size() << " units)";
}

#define EXPECT_TEXT(expected, actual) EXPECT_PRED_FORMAT2(SameText, expected, actual)

std::u16string Repeat(u16string_view text, int times) {
  std::u16string out;
  for (int i = 0; i < times; ++i)
    out += text;
  return out;
}

const std::u16string kHashUnit(14, u'#');
const std::u16string kHashLine(66, u'#');

TEST(ProcessingSettings, StartsWithIndentFourAndHashSeparators) {
  const ProcessingSettings settings;
  EXPECT_EQ(4, settings.IndentWidth);
  EXPECT_TEXT(kHashLine, settings.SeparatorLine);
  EXPECT_TEXT(u"##", settings.SeparatorUnit);
  EXPECT_EQ(settings, ProcessingSettings::StartUp());
}

TEST(ProcessingSettings, CommitReplacesAllThreeValues) {
  ProcessingSettings settings;
  settings.Commit(7, {u"ab", u"cd"});
  EXPECT_EQ(7, settings.IndentWidth);
  EXPECT_TEXT(u"ab", settings.SeparatorUnit);
  EXPECT_TEXT(u"cd", settings.SeparatorLine);

  settings.Commit(0, DeriveSeparators(u"ReMaxNum"));
  EXPECT_EQ(0, settings.IndentWidth);
  EXPECT_TEXT(u"ReMaxNumReMaxN", settings.SeparatorUnit);
  EXPECT_TEXT(Repeat(u"ReMaxNum", 8) + u"Re", settings.SeparatorLine);
}

TEST(ProcessingSettings, ConfirmingTheStartUpPanelWidensTheUnit) {
  ProcessingSettings settings;
  settings.Commit(settings.IndentWidth, DeriveSeparators(u"#"));
  EXPECT_EQ(4, settings.IndentWidth);
  EXPECT_TEXT(kHashUnit, settings.SeparatorUnit);
  EXPECT_TEXT(kHashLine, settings.SeparatorLine);
  EXPECT_NE(settings, ProcessingSettings::StartUp());
}

struct DeriveCase {
  const char* Name;
  u16string_view Text;
  std::u16string Unit;
  std::u16string Line;
};

void PrintTo(const DeriveCase& c, std::ostream* os) {
  *os << '"' << Utf16ToUtf8(c.Text) << '"';
}

std::string CaseName(const ::testing::TestParamInfo<DeriveCase>& info) {
  return info.param.Name;
}

class DerivesSeparators : public ::testing::TestWithParam<DeriveCase> {};

TEST_P(DerivesSeparators, FromText) {
  const Separators derived = DeriveSeparators(GetParam().Text);
  EXPECT_TEXT(GetParam().Unit, derived.Unit);
  EXPECT_TEXT(GetParam().Line, derived.Line);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DerivesSeparators,
    ::testing::Values(
        DeriveCase{"Empty", u"", kHashUnit, kHashLine},
        DeriveCase{"Hash", u"#", kHashUnit, kHashLine},
        DeriveCase{"TwoHashes", u"##", kHashUnit, kHashLine},
        DeriveCase{"EightCharacters", u"ReMaxNum", u"ReMaxNumReMaxN",
                   Repeat(u"ReMaxNum", 8) + u"Re"},
        DeriveCase{"OneCharacter", u"*", std::u16string(14, u'*'), std::u16string(66, u'*')},
        DeriveCase{"LengthDividingNeither", u"abcde", u"abcdeabcdeabcd",
                   Repeat(u"abcde", 13) + u"a"},
        DeriveCase{"ChineseCharacter", u"中", std::u16string(14, u'中'), std::u16string(66, u'中')},
        DeriveCase{"ChineseCharacters", u"中文", Repeat(u"中文", 7), Repeat(u"中文", 33)},
        // Lengths count UTF-16 code units, so a character outside the BMP
        // takes two of the fourteen.
        DeriveCase{"SurrogatePair", u"\U0001D11E", Repeat(u"\U0001D11E", 7),
                   Repeat(u"\U0001D11E", 33)}),
    CaseName);

} // namespace
} // namespace qf

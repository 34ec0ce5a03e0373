#include "io/utf.h"
#include "rewrite/procedure_header.h"
#include "settings/processing_settings.h"
#include "tests/support/procedure_header_text.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace qf {
namespace {

using std::u16string_view;
using test::BuildProcedureHeader;
using test::DescribeParameter;

const std::u16string kHashLine(66, u'#');

/// The expected block: the separator line, the given inner lines and the
/// separator line again, joined by CR LF with none after the last.
std::u16string Block(const std::vector<u16string_view>& inner, u16string_view line = kHashLine) {
  std::u16string block = u"'";
  block += line;
  for (u16string_view text : inner) {
    block += u"\r\n";
    block += text;
  }
  block += u"\r\n'";
  block += line;
  return block;
}

/// UTF-8 with the line breaks and tabs made visible; a multi-line text
/// starts on a new line and shows each of its lines on one output line.
std::string Readable(u16string_view text, bool multiline = true) {
  std::string out = multiline ? "\n    " : "";
  for (const char c : Utf16ToUtf8(text)) {
    if (c == '\r')
      out += "\\r";
    else if (c == '\n')
      out += multiline ? "\\n\n    " : "\\n";
    else if (c == '\t')
      out += "\\t";
    else
      out += c;
  }
  return out;
}

::testing::AssertionResult SameText(const char* expectedExpr, const char* actualExpr,
                                    u16string_view expected, u16string_view actual) {
  if (expected == actual)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << actualExpr << " is" << Readable(actual) << "\nbut "
                                       << expectedExpr << " is" << Readable(expected);
}

#define EXPECT_TEXT(expected, actual) EXPECT_PRED_FORMAT2(SameText, expected, actual)

std::u16string Header(u16string_view declaration) {
  return BuildProcedureHeader(declaration, ProcessingSettings::StartUp());
}

// The layout the editor gives a declaration --------------------------------

TEST(ProcedureHeader, FunctionWithTwoParametersAfterConfirmingHash) {
  ProcessingSettings settings;
  settings.Commit(4, DeriveSeparators(u"#"));
  EXPECT_TEXT(
      u"'##################################################################\r\n"
      u"'############## 函数名称：ReMaxNum\r\n"
      u"'############## 参数：Number1 为Long型\r\n"
      u"'############## 参数：Number2 为Long型\r\n"
      u"'############## 返回类型：As Long\r\n"
      u"'##################################################################",
      BuildProcedureHeader(u"Private Function ReMaxNum(Number1 As Long, Number2 As Long) As Long",
                           settings));
}

TEST(ProcedureHeader, SubWithoutParametersAtStartUp) {
  EXPECT_TEXT(u"'##################################################################\r\n"
              u"'## 过程名称：Form_Load\r\n"
              u"'## 参数： 无\r\n"
              u"'##################################################################",
              Header(u"Private Sub Form_Load()"));
}

TEST(ProcedureHeader, FollowsTheSettingsItIsGiven) {
  ProcessingSettings settings;
  settings.Commit(2, DeriveSeparators(u"ReMaxNum"));
  std::u16string line;
  for (int i = 0; i < 8; ++i)
    line += u"ReMaxNum";
  line += u"Re";
  EXPECT_TEXT(Block({u"'ReMaxNumReMaxN 函数名称：Go", u"'ReMaxNumReMaxN 参数：n 为Long型",
                     u"'ReMaxNumReMaxN 返回类型：As Long"},
                    line),
              BuildProcedureHeader(u"Public Function Go(n As Long) As Long", settings));
}

// The labels of every language, each used once: only the labels differ.
TEST(ProcedureHeader, WritesTheLabelsOfEachLanguage) {
  struct Table {
    LabelLanguage Language;
    std::vector<std::u16string> Inner;
  };
  const Table tables[] = {
      {LabelLanguage::SimplifiedChinese,
       {u"'## 函数名称：Go", u"'## 参数：a 为Long型", u"'## 参数：b  类型不确定",
        u"'## 返回类型：As Long", u"'## 过程名称：S", u"'## 参数： 无", u"'## 函数名称：F",
        u"'## 参数： 无", u"'## 返回类型： 不确定"}},
      {LabelLanguage::TraditionalChinese,
       {u"'## 函數名稱：Go", u"'## 參數：a 為Long型", u"'## 參數：b  類型不確定",
        u"'## 返回類型：As Long", u"'## 過程名稱：S", u"'## 參數： 無", u"'## 函數名稱：F",
        u"'## 參數： 無", u"'## 返回類型： 不確定"}},
      {LabelLanguage::Japanese,
       {u"'## 関数名：Go", u"'## 引数：a の型は Long", u"'## 引数：b  型不明",
        u"'## 戻り値の型：As Long", u"'## プロシージャ名：S", u"'## 引数： なし", u"'## 関数名：F",
        u"'## 引数： なし", u"'## 戻り値の型： 不明"}},
      {LabelLanguage::English,
       {u"'## Function: Go", u"'## Parameter: a As Long", u"'## Parameter: b  (type unknown)",
        u"'## Returns: As Long", u"'## Sub: S", u"'## Parameters: none", u"'## Function: F",
        u"'## Parameters: none", u"'## Returns: unknown"}},
  };
  for (const Table& table : tables) {
    ProcessingSettings settings;
    settings.Labels = table.Language;
    const auto& inner = table.Inner;
    EXPECT_TEXT(Block({inner[0], inner[1], inner[2], inner[3]}),
                BuildProcedureHeader(u"Function Go(a As Long, b) As Long", settings));
    EXPECT_TEXT(Block({inner[4], inner[5]}), BuildProcedureHeader(u"Sub S()", settings));
    EXPECT_TEXT(Block({inner[6], inner[7], inner[8]}),
                BuildProcedureHeader(u"Function F()", settings));
  }
}

// Declarations, by what they exercise ---------------------------------------

struct HeaderCase {
  const char* Name;
  u16string_view Declaration;
  std::vector<u16string_view> Inner; ///< The lines between the separators.
};

void PrintTo(const HeaderCase& c, std::ostream* os) {
  *os << Readable(c.Declaration, false);
}

class BuildsHeader : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(BuildsHeader, FromDeclaration) {
  EXPECT_TEXT(Block(GetParam().Inner), Header(GetParam().Declaration));
}

std::string CaseName(const ::testing::TestParamInfo<HeaderCase>& info) {
  return info.param.Name;
}

// The kind comes from the keyword that leads the declaration.
const HeaderCase kKindCases[] = {
    {"SubInParameterNameStaysFunction",
     u"Private Function Calc(ItemSub As Long) As Long",
     {u"'## 函数名称：Calc", u"'## 参数：ItemSub 为Long型", u"'## 返回类型：As Long"}},
    {"BareSub", u"Sub Main()", {u"'## 过程名称：Main", u"'## 参数： 无"}},
    {"BareFunction",
     u"Function Twice(n As Long) As Long",
     {u"'## 函数名称：Twice", u"'## 参数：n 为Long型", u"'## 返回类型：As Long"}},
    {"PublicSub", u"Public Sub Go()", {u"'## 过程名称：Go", u"'## 参数： 无"}},
    {"LowerCaseKeywordsKeepTheirCase",
     u"private function twice(n as long) as long",
     {u"'## 函数名称：twice", u"'## 参数：n 为long型", u"'## 返回类型：as long"}},
    {"TabsBetweenKeywords", u"Private\tSub\tGo()", {u"'## 过程名称：Go", u"'## 参数： 无"}},
    {"FunctionNamedLikeSub",
     u"Public Function Subtotal() As Currency",
     {u"'## 函数名称：Subtotal", u"'## 参数： 无", u"'## 返回类型：As Currency"}},
    // The rewrite pass also hands over an array declaration whose name
    // begins with Sub; it is laid out as a Function with its name whole.
    {"ArrayNamedLikeSub",
     u"Private SubTotals(10) As Long",
     {u"'## 函数名称：SubTotals", u"'## 参数：10  类型不确定", u"'## 返回类型：As Long"}},
};
INSTANTIATE_TEST_SUITE_P(Kind, BuildsHeader, ::testing::ValuesIn(kKindCases), CaseName);

// The parameter list is the balanced text inside the parentheses, split at
// the commas that belong to it.
const HeaderCase kParameterCases[] = {
    {"ArrayParameterInFunction",
     u"Private Function Sum(Values() As Long) As Long",
     {u"'## 函数名称：Sum", u"'## 参数：Values() 为Long型", u"'## 返回类型：As Long"}},
    {"ArrayParameterInSub",
     u"Private Sub Clear(Values() As Long)",
     {u"'## 过程名称：Clear", u"'## 参数：Values() 为Long型"}},
    {"CommentAfterSub",
     u"Private Sub Reset() ' clears all",
     {u"'## 过程名称：Reset", u"'## 参数： 无"}},
    {"CommentWithParenthesesAfterFunction",
     u"Private Function Count(a As Long) As Long 'a (rough) count, or -1",
     {u"'## 函数名称：Count", u"'## 参数：a 为Long型", u"'## 返回类型：As Long"}},
    {"JoinedContinuationLine",
     u"Private Sub Move(Left As Long,Top As Long)",
     {u"'## 过程名称：Move", u"'## 参数：Left 为Long型", u"'## 参数：Top 为Long型"}},
    {"ParenthesesAndCommasInStrings",
     u"Private Function Wrap(Optional Open As String = \"(\", Optional Sep As String = \", \", "
     u"Optional Close As String = \")\") As String",
     {u"'## 函数名称：Wrap", u"'## 参数：Open 为String型", u"'## 参数：Sep 为String型",
      u"'## 参数：Close 为String型", u"'## 返回类型：As String"}},
    {"ApostropheInString",
     u"Private Sub Say(Optional Text As String = \"it's\", Loud As Boolean)",
     {u"'## 过程名称：Say", u"'## 参数：Text 为String型", u"'## 参数：Loud 为Boolean型"}},
    {"DoubledQuoteInString",
     u"Private Function Quote(Optional q As String = \"\"\")\") As String ' q (quoted)",
     {u"'## 函数名称：Quote", u"'## 参数：q 为String型", u"'## 返回类型：As String"}},
    {"CommaInsideParentheses",
     u"Private Sub Place(Optional At As Variant = Array(1, 2), Tag As String)",
     {u"'## 过程名称：Place", u"'## 参数：At 为Variant型", u"'## 参数：Tag 为String型"}},
    {"EmptyPartBetweenCommas",
     u"Private Sub Gap(a As Long, , b As Long)",
     {u"'## 过程名称：Gap", u"'## 参数：a 为Long型", u"'## 参数：  类型不确定",
      u"'## 参数：b 为Long型"}},
    {"TrailingComma",
     u"Private Sub Tail(a As Long,)",
     {u"'## 过程名称：Tail", u"'## 参数：a 为Long型", u"'## 参数：  类型不确定"}},
    {"BlankParameterList", u"Private Sub Go( \t )", {u"'## 过程名称：Go", u"'## 参数： 无"}},
    {"TabsBetweenWords",
     u"Private Sub Move(ByVal\tLeft\tAs\tLong,\tTop As Long)",
     {u"'## 过程名称：Move", u"'## 参数：Left 为Long型", u"'## 参数：Top 为Long型"}},
};
INSTANTIATE_TEST_SUITE_P(Parameters, BuildsHeader, ::testing::ValuesIn(kParameterCases), CaseName);

// The return type is the As clause after the parameter list, kept as written.
const HeaderCase kReturnCases[] = {
    {"NoParametersNoReturnType",
     u"Private Function Now()",
     {u"'## 函数名称：Now", u"'## 参数： 无", u"'## 返回类型： 不确定"}},
    {"InnerSpacesKept",
     u"Private Function Pad()  As  String \t",
     {u"'## 函数名称：Pad", u"'## 参数： 无", u"'## 返回类型：As  String"}},
    {"ArrayReturnTypeBeforeComment",
     u"Private Function Cells() As Long() ' all cells",
     {u"'## 函数名称：Cells", u"'## 参数： 无", u"'## 返回类型：As Long()"}},
    {"TailWithoutAs",
     u"Private Function Odd() Long",
     {u"'## 函数名称：Odd", u"'## 参数： 无", u"'## 返回类型： 不确定"}},
    {"TailWhoseFirstWordOnlyBeginsWithAs",
     u"Private Function Odd() Assorted",
     {u"'## 函数名称：Odd", u"'## 参数： 无", u"'## 返回类型： 不确定"}},
    {"SubIgnoresAsClause", u"Private Sub Odd() As Long", {u"'## 过程名称：Odd", u"'## 参数： 无"}},
};
INSTANTIATE_TEST_SUITE_P(ReturnType, BuildsHeader, ::testing::ValuesIn(kReturnCases), CaseName);

// Declarations without a "(" or without its ")".
const HeaderCase kParenthesisCases[] = {
    {"SubWithoutParentheses", u"Private Sub Main", {u"'## 过程名称：Main", u"'## 参数： 无"}},
    {"SubWithoutParenthesesAndComment",
     u"Private Sub Main ' entry point",
     {u"'## 过程名称：Main", u"'## 参数： 无"}},
    {"FunctionWithoutParentheses",
     u"Private Function Answer As Long",
     {u"'## 函数名称：Answer", u"'## 参数： 无", u"'## 返回类型：As Long"}},
    {"FunctionWithoutParenthesesTabAfterName",
     u"Private Function Answer\tAs Long",
     {u"'## 函数名称：Answer", u"'## 参数： 无", u"'## 返回类型：As Long"}},
    {"FunctionWithoutParenthesesOrReturnType",
     u"Private Function Answer",
     {u"'## 函数名称：Answer", u"'## 参数： 无", u"'## 返回类型： 不确定"}},
    {"UnmatchedParenthesis",
     u"Private Function Open(a As Long, b() As Long",
     {u"'## 函数名称：Open", u"'## 参数：a 为Long型", u"'## 参数：b() 为Long型",
      u"'## 返回类型： 不确定"}},
    {"UnmatchedParenthesisClosedOnlyInString",
     u"Private Sub Open(Optional s As String = \")\"",
     {u"'## 过程名称：Open", u"'## 参数：s 为String型"}},
};
INSTANTIATE_TEST_SUITE_P(Parentheses, BuildsHeader, ::testing::ValuesIn(kParenthesisCases),
                         CaseName);

// One parameter ---------------------------------------------------------------

struct ParameterCase {
  u16string_view Parameter;
  u16string_view Description;
};

void PrintTo(const ParameterCase& c, std::ostream* os) {
  *os << Readable(c.Parameter, false);
}

class DescribesParameter : public ::testing::TestWithParam<ParameterCase> {};

TEST_P(DescribesParameter, AsWritten) {
  EXPECT_TEXT(GetParam().Description, DescribeParameter(GetParam().Parameter));
}

INSTANTIATE_TEST_SUITE_P(
    Typed, DescribesParameter,
    ::testing::Values(ParameterCase{u"Count As Long", u"Count 为Long型"},
                      ParameterCase{u"x as long", u"x 为long型"},
                      ParameterCase{u"名字 As 整数", u"名字 为整数型"},
                      ParameterCase{u"ByValue As Long", u"ByValue 为Long型"},
                      ParameterCase{u"x As  Long  = 5", u"x 为Long型"},
                      ParameterCase{u"x As Long=5", u"x 为Long型"},
                      ParameterCase{u"s As String = \"a = b\"", u"s 为String型"},
                      ParameterCase{u"\tx\tAs\tLong\t", u"x 为Long型"},
                      ParameterCase{u"x As", u"x 为型"}, ParameterCase{u"x As = 5", u"x 为型"}));

INSTANTIATE_TEST_SUITE_P(
    Modifiers, DescribesParameter,
    ::testing::Values(ParameterCase{u"ByVal Count As Long", u"Count 为Long型"},
                      ParameterCase{u"byref Count As Long", u"Count 为Long型"},
                      ParameterCase{u"OPTIONAL x As Long = 5", u"x 为Long型"},
                      ParameterCase{u"Optional ByVal x As Long = 5", u"x 为Long型"},
                      ParameterCase{u"byVal optional x As Long", u"x 为Long型"},
                      ParameterCase{u"ParamArray Items() As Variant", u"Items() 为Variant型"},
                      ParameterCase{u"ByVal\tx\tAs Long", u"x 为Long型"},
                      // Only ASCII letters fold: a dotless i does not make Optional.
                      ParameterCase{u"Optıonal x As Long", u"Optıonal  类型不确定"}));

INSTANTIATE_TEST_SUITE_P(Untyped, DescribesParameter,
                         ::testing::Values(ParameterCase{u"Count", u"Count  类型不确定"},
                                           ParameterCase{u"v()", u"v()  类型不确定"},
                                           ParameterCase{u"Optional n = 3", u"n  类型不确定"},
                                           ParameterCase{u"Count Long", u"Count  类型不确定"},
                                           ParameterCase{u"x Ask Long", u"x  类型不确定"},
                                           ParameterCase{u"ByVal", u"  类型不确定"},
                                           ParameterCase{u"Optional ByRef", u"  类型不确定"},
                                           ParameterCase{u"", u"  类型不确定"}));

} // namespace
} // namespace qf

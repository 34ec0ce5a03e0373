// The rewrite pass's layout rules, through VerifyRewrite(), which also
// checks that a second rewrite changes nothing.

#include "processing/failure.h"
#include "rewrite/rewrite_pass.h"
#include "tests/rewrite_test_support.h"

#include <gtest/gtest.h>
#include <vector>

namespace qf::test {
namespace {

const std::string kMarker = std::string(kMarkerLine);
const std::string kGoBlock = HeaderBlock({"'## 过程名称：Go", "'## 参数： 无"});

ProcessingSettings Indent(std::int16_t width) {
  ProcessingSettings settings;
  settings.IndentWidth = width;
  return settings;
}

TEST(RewritePassTest, IndentsBlocksByTheIndentWidth) {
  VerifyRewrite(
      Lines({"Attribute VB_Name = \"modA\"", "Option Explicit", "  Private Type Pt", "X As Long",
             "    End Type", "Private Sub Go(ByVal n As Long)", "Dim i As Long", "For i = 1 To n",
             "If i > 2 Then", "Select Case i", "Case 3", "Debug.Print i", "End Select", "Else",
             "If i = 1 Then Exit For", "End If", "Next i", "End Sub"}),
      Lines({"   Attribute VB_Name = \"modA\"", kMarker, "Option Explicit", "Private Type Pt",
             "    X As Long", "End Type"}) +
          HeaderBlock({"'## 过程名称：Go", "'## 参数：n 为Long型"}) +
          Lines({"Private Sub Go(ByVal n As Long)", "    Dim i As Long", "    For i = 1 To n",
                 "        If i > 2 Then", "            Select Case i", "                Case 3",
                 "                    Debug.Print i", "            End Select", "        Else",
                 "            If i = 1 Then Exit For", "        End If", "    Next i", "End Sub"}));
}

TEST(RewritePassTest, LaysOutTheDesignerHeaderByThreeSpacesPerLevel) {
  VerifyRewrite(
      Lines({"VERSION 5.00", "Begin VB.Form frmA", "Caption = \"A\"",
             "Begin VB.CommandButton cmdGo", "      Caption = \"Go\"", "BeginProperty Font",
             "Name = \"SimSun\"", "EndProperty", "End", "End", "Attribute VB_Name = \"frmA\"",
             "Attribute VB_Exposed = False", "Option Explicit"}),
      Lines({"   VERSION 5.00", "   Begin VB.Form frmA", "      Caption = \"A\"",
             "      Begin VB.CommandButton cmdGo", "         Caption = \"Go\"",
             "         BeginProperty Font", "            Name = \"SimSun\"", "         EndProperty",
             "      End", "   End", "   Attribute VB_Name = \"frmA\"",
             "   Attribute VB_Exposed = False", kMarker, "Option Explicit"}));
}

TEST(RewritePassTest, RefusesAFileThatCarriesTheMarker) {
  const Rewritten marked =
      Rewrite(Lines({"VERSION 5.00", "Attribute VB_Name = \"frmA\"", kMarker, "Option Explicit"}));
  EXPECT_EQ(marked.Result, RewriteOutcome::AlreadyProcessed);
  EXPECT_EQ(marked.Text, "") << "a rewrite abandoned early hands on nothing";

  // Indented, the marker is still the marker: lines are trimmed first.
  EXPECT_EQ(Rewrite(Lines({"Attribute VB_Name = \"m\"", "   " + kMarker})).Result,
            RewriteOutcome::AlreadyProcessed);
  // It must match exactly: another letter case is an ordinary comment.
  EXPECT_EQ(Rewrite(Lines({"Attribute VB_Name = \"m\"", "'quillformer by vendelmark"})).Result,
            RewriteOutcome::Rewritten);
}

TEST(RewritePassTest, TheMarkerInsideTheCodeIsAnOrdinaryComment) {
  VerifyRewrite(Lines({"Attribute VB_Name = \"m\"", "Sub Go()", kMarker, "End Sub"}),
                Lines({"   Attribute VB_Name = \"m\"", kMarker}) + kGoBlock +
                    Lines({"Sub Go()", "    " + kMarker, "End Sub"}));
}

TEST(RewritePassTest, AFileWithoutAttributeLinesIsAllDesignerHeader) {
  VerifyRewrite(Lines({"Sub Go()", "If a Then", "End If", "End Sub", kMarker + "x"}),
                Lines({"   Sub Go()", "   If a Then", "End If", "End Sub", kMarker + "x"}));
  // The last lines being Attribute lines: no code, so no marker either.
  VerifyRewrite(
      Lines({"VERSION 1.0 CLASS", "BEGIN", "MultiUse = -1", "END", "Attribute VB_Name = \"C\""}),
      Lines({"   VERSION 1.0 CLASS", "   BEGIN", "      MultiUse = -1", "   END",
             "   Attribute VB_Name = \"C\""}));
  VerifyRewrite("", "");
}

TEST(RewritePassTest, EmptyLinesTakeTheIndentationOfTheirPlace) {
  VerifyRewrite(Lines({"Begin VB.Form f", "", "End", "Attribute VB_Name = \"f\"", "", "Dim a",
                       "Sub Go()", "", "End Sub"}),
                Lines({"   Begin VB.Form f", "      ", "   End", "   Attribute VB_Name = \"f\"",
                       kMarker, "", "Dim a"}) +
                    kGoBlock + Lines({"Sub Go()", "    ", "End Sub"}));
}

TEST(RewritePassTest, KeepsTabsAndEverythingButTheSpacesAtTheEnds) {
  VerifyRewrite(Lines({"Attribute VB_Name = \"m\"", "Sub Go()", "\tx  =   1 \t  ",
                       "  y = \"  a  \"   ", "End Sub"}),
                Lines({"   Attribute VB_Name = \"m\"", kMarker}) + kGoBlock +
                    Lines({"Sub Go()", "    \tx  =   1 \t", "    y = \"  a  \"", "End Sub"}));
}

// Keywords are whole words: a name that merely begins with one is no keyword.
TEST(RewritePassTest, KeywordsMatchOnlyAsWholeWords) {
  VerifyRewrite(
      Lines({"Attribute VB_Name = \"m\"", "Public Subtotal As Long", "Private Functions(3) As Long",
             "Private Enum Kind", "TypeA = 1", "End Enum", "Private Type Rec", "TypeCode As Long",
             "End Type", "Sub Go()", "If a Then", "ElseCount = 1", "ElseIfFoo = 2", "ElseIf b Then",
             "Else", "End If", "End Sub"}),
      Lines({"   Attribute VB_Name = \"m\"", kMarker, "Public Subtotal As Long",
             "Private Functions(3) As Long", "Private Enum Kind", "TypeA = 1", "End Enum",
             "Private Type Rec", "    TypeCode As Long", "End Type"}) +
          kGoBlock +
          Lines({"Sub Go()", "    If a Then", "        ElseCount = 1", "        ElseIfFoo = 2",
                 "    ElseIf b Then", "    Else", "    End If", "End Sub"}));
}

TEST(RewritePassTest, PropertyFriendAndStaticProceduresAreOrdinaryLines) {
  VerifyRewrite(
      Lines({"Attribute VB_Name = \"c\"", "Private Sub Go()", "End Sub",
             "Public Property Get P() As Long", "If a Then", "P = 1", "End If", "End Property",
             "Friend Sub F()", "x = 1", "End Sub", "Static Function S()", "End Function"}),
      Lines({"   Attribute VB_Name = \"c\"", kMarker}) + kGoBlock +
          Lines({"Private Sub Go()", "End Sub", "    Public Property Get P() As Long",
                 "    If a Then", "        P = 1", "    End If", "    End Property",
                 "    Friend Sub F()", "    x = 1", "End Sub", "    Static Function S()",
                 "End Function"}));
}

TEST(RewritePassTest, LoopsAndLookalikes) {
  VerifyRewrite(
      Lines({"Attribute VB_Name = \"m\"", "Sub Go()", "DoEvents", "Do", "Do While a",
             "Loop Until b", "Loop", "For i = 1 To 2", "For j = 1 To 2", "x = 1", "Next j, i",
             "While a", "With b", ".c = 1", "End With", "Wend",
             "Attribute Go.VB_Description = \"d\"", "Next", "End Sub"}),
      Lines({"   Attribute VB_Name = \"m\"", kMarker}) + kGoBlock +
          Lines({"Sub Go()", "    DoEvents", "    Do", "        Do While a", "        Loop Until b",
                 "    Loop", "    For i = 1 To 2", "        For j = 1 To 2", "            x = 1",
                 "        Next j, i", "        While a", "        With b", "        .c = 1",
                 "        End With", "        Wend", "        Attribute Go.VB_Description = \"d\"",
                 "    Next", "End Sub"}));
}

TEST(RewritePassTest, StrayClosingLinesDriveTheLevelBelowZeroUntilEndSub) {
  VerifyRewrite(Lines({"Attribute VB_Name = \"m\"", "Sub Go()", "End If", "Loop", "x = 1",
                       "End Sub", "' between procedures", "", "Sub Go()", "y = 1", "End Sub"}),
                Lines({"   Attribute VB_Name = \"m\"", kMarker}) + kGoBlock +
                    Lines({"Sub Go()", "End If", "Loop", "x = 1", "End Sub",
                           "    ' between procedures", "    "}) +
                    kGoBlock + Lines({"Sub Go()", "    y = 1", "End Sub"}));
}

TEST(RewritePassTest, IfForms) {
  VerifyRewrite(
      Lines({"Attribute VB_Name = \"m\"", "Sub Go()",
             // a continued If: the line with Then opens the block
             "If a And _", "b Then", "x = 1", "End If",
             // nothing but a comment after Then: a block If
             "If a Then ' note", "x = 2", "End If",
             // a statement after Then, even with no space: single-line
             "If a Then'note", "If a Then x = 3 Else x = 4",
             // too short to have a tail: single-line
             "If x", "y = 1", "End Sub"}),
      Lines({"   Attribute VB_Name = \"m\"", kMarker}) + kGoBlock +
          Lines({"Sub Go()", "If a And _", "        b Then", "        x = 1", "    End If",
                 "    If a Then ' note", "        x = 2", "    End If", "    If a Then'note",
                 "    If a Then x = 3 Else x = 4", "    If x", "    y = 1", "End Sub"}));
}

TEST(RewritePassTest, SelectCaseBodiesStandOneLevelIn) {
  VerifyRewrite(Lines({"Attribute VB_Name = \"m\"", "Sub Go()", "Select Case x", "Case 1",
                       "If y Then", "z = 1", "Else", "z = 2", "End If", "Case Else",
                       "Select Case y", "Case 2", "w = 1", "End Select", "End Select", "End Sub"}),
                Lines({"   Attribute VB_Name = \"m\"", kMarker}) + kGoBlock +
                    Lines({"Sub Go()", "    Select Case x", "        Case 1",
                           "            If y Then", "                z = 1", "        Else",
                           "                z = 2", "            End If", "        Case Else",
                           "        Select Case y", "            Case 2", "                w = 1",
                           "        End Select", "    End Select", "End Sub"}));
}

TEST(RewritePassTest, JoinsAContinuedHeaderIntoOneLine) {
  VerifyRewrite(
      Lines({"Attribute VB_Name = \"m\"", "Public Function F(a As Long, _", "   b As Long, _",
             "   c As Long) As Long", "End Function"}),
      Lines({"   Attribute VB_Name = \"m\"", kMarker}) +
          HeaderBlock({"'## 函数名称：F", "'## 参数：a 为Long型", "'## 参数：b 为Long型",
                       "'## 参数：c 为Long型", "'## 返回类型：As Long"}) +
          Lines({"Public Function F(a As Long,b As Long,c As Long) As Long", "End Function"}));
}

// Joining with nothing between the parts would fuse two words and change
// the program; there one space goes between.
TEST(RewritePassTest, JoiningNeverFusesTwoWords) {
  VerifyRewrite(
      Lines({"Attribute VB_Name = \"m\"", "Private Sub _", "Go()", "End Sub", "Function F(a As _",
             "  Long)", "End Function"}),
      Lines({"   Attribute VB_Name = \"m\"", kMarker}) + kGoBlock +
          Lines({"Private Sub Go()", "End Sub"}) +
          HeaderBlock({"'## 函数名称：F", "'## 参数：a 为Long型", "'## 返回类型： 不确定"}) +
          Lines({"Function F(a As Long)", "End Function"}));
}

// The header goes on while the line just read ends with "_": a joined
// text that happens to end with one does not pull in the next line.
TEST(RewritePassTest, TheLineReadDecidesWhetherTheHeaderGoesOn) {
  EXPECT_EQ(
      Rewrite(Lines({"Attribute VB_Name = \"m\"", "Sub A(x, _ _", "", "y = 1", "End Sub"})).Text,
      Lines({"   Attribute VB_Name = \"m\"", kMarker}) +
          HeaderBlock({"'## 过程名称：A", "'## 参数：x  类型不确定", "'## 参数：_  类型不确定"}) +
          Lines({"Sub A(x, _", "    y = 1", "End Sub"}));
}

TEST(RewritePassTest, AFileEndingInsideAContinuedHeaderEndsTheHeaderThere) {
  EXPECT_EQ(Rewrite(Lines({"Attribute VB_Name = \"m\"", "Private Sub A(x, _", "y, _"})).Text,
            Lines({"   Attribute VB_Name = \"m\"", kMarker}) +
                HeaderBlock({"'## 过程名称：A", "'## 参数：x  类型不确定",
                             "'## 参数：y  类型不确定", "'## 参数：_  类型不确定"}) +
                Lines({"Private Sub A(x,y, _"}));
  EXPECT_EQ(Rewrite("Attribute VB_Name = \"m\"\r\nSub Go _").Text,
            Lines({"   Attribute VB_Name = \"m\"", kMarker}) +
                HeaderBlock({"'## 过程名称：Go", "'## 参数： 无"}) + Lines({"Sub Go _"}));
}

// VB6 loads no line longer than 1,023 bytes: a header whose joined line
// would be longer stays on its own lines, each trimmed and at column 1,
// below the comment block of the joined declaration.
TEST(RewritePassTest, AHeaderJoinedPastVb6sLongestLineKeepsItsLines) {
  const auto header = [](std::size_t parameters) {
    std::vector<std::string> lines = {"Sub A(p0 As Long, _"};
    for (std::size_t i = 1; i < parameters; ++i)
      lines.push_back("  p" + std::to_string(i) + " As Long" + (i + 1 < parameters ? ", _" : ")"));
    return lines;
  };
  // 73 parameters join into 1,022 bytes, 74 into 1,036.
  for (const std::size_t parameters : {std::size_t{73}, std::size_t{74}}) {
    const std::vector<std::string> lines = header(parameters);
    std::string source = Lines({"Attribute VB_Name = \"m\""});
    std::string joined;
    for (const std::string& line : lines) {
      source += line + "\r\n";
      std::string part = line.substr(line.find_first_not_of(' '));
      if (part.ends_with(" _"))
        part.resize(part.size() - 2);
      joined += part;
    }
    source += Lines({"End Sub"});
    const std::string text = Rewrite(source).Text;
    // Below the attribute line, the marker and the block's frames, name and
    // parameter lines.
    std::size_t at = 0;
    for (std::size_t skip = 0; skip < 2 + 3 + parameters; ++skip)
      at = text.find("\r\n", at) + 2;
    const std::string below = text.substr(at);
    if (joined.size() <= kLongestVb6Line) {
      EXPECT_EQ(below, Lines({joined, "End Sub"}));
    } else {
      std::string kept;
      for (const std::string& line : lines)
        kept += line.substr(line.find_first_not_of(' ')) + "\r\n";
      EXPECT_EQ(below, kept + Lines({"End Sub"}));
      EXPECT_NE(text.find(HeaderBlock({"'## 参数：p73 为Long型"}).substr(68)), std::string::npos);
    }
  }
}

// Nor a line with more than 256 blanks before its text: the indentation
// is cut there, and the trace hears it once.
TEST(RewritePassTest, IndentationStopsAt256Blanks) {
  class Capped final : public RewriteTrace {
  public:
    void IndentCapped() override { ++Count; }
    int Count = 0;
  } trace;
  CodePage codes("CP936");
  const std::string module =
      Lines({"Attribute VB_Name = \"m\"", "Sub Go()", "If a Then", "If b Then", "If c Then",
             "x = 1", "y = 2", "End If", "End If", "End If", "End Sub"});
  MemorySource source(module);
  StringSink sink;
  const ProcessingSettings settings = Indent(100);
  EXPECT_EQ(FailureText([&] { RewriteStream(source, sink, "m.bas", settings, codes, &trace); }),
            "no failure");
  EXPECT_NE(sink.Text().find("\r\n" + std::string(256, ' ') + "x = 1\r\n" + std::string(256, ' ') +
                             "y = 2\r\n"),
            std::string::npos);
  EXPECT_NE(sink.Text().find("\r\n" + std::string(200, ' ') + "If b Then\r\n" +
                             std::string(256, ' ') + "If c Then"),
            std::string::npos);
  EXPECT_EQ(trace.Count, 1);
}

TEST(RewritePassTest, FollowsTheSettings) {
  ProcessingSettings settings;
  settings.Commit(2, DeriveSeparators(u"=-"));
  std::string line = "'";
  for (int i = 0; i < 33; ++i)
    line += "=-";
  EXPECT_EQ(Rewrite(Lines({"Attribute VB_Name = \"m\"", "Sub Go()", "If a Then", "b", "End If",
                           "End Sub"}),
                    settings, "UTF-8")
                .Text,
            Lines({"   Attribute VB_Name = \"m\"", kMarker, line, "'=-=-=-=-=-=-=- 过程名称：Go",
                   "'=-=-=-=-=-=-=- 参数： 无", line, "Sub Go()", "  If a Then", "    b",
                   "  End If", "End Sub"}));
}

TEST(RewritePassTest, EveryLineEndsInCrLfWhateverItsBreak) {
  EXPECT_EQ(Rewrite("a\nb\rc\r\n\r\nd\n\re").Text,
            Lines({"   a", "   b", "   c", "   ", "   d", "   ", "   e"}));
}

TEST(RewritePassTest, LeavingTheSixteenBitRangeIsAnErrorNamingTheLine) {
  std::string deep = Lines({"Attribute VB_Name = \"m\"", "Sub Go()"});
  for (int i = 0; i < 32767; ++i)
    deep += "For i = 1 To 2\r\n";
  // The level itself overflows when nothing is indented...
  EXPECT_EQ(FailureText([&] { Rewrite(deep, Indent(0)); }),
            "test.bas:32769: 16-bit overflow: 32767 + 1 leaves the range -32768 to 32767");
  // ...and the indentation long before that with four spaces a level.
  EXPECT_EQ(FailureText([&] { Rewrite(deep, Indent(4)); }),
            "test.bas:8193: 16-bit overflow: 8192 * 4 leaves the range -32768 to 32767");
  std::string header;
  for (int i = 0; i < 11000; ++i)
    header += "Begin VB.Frame f\r\n";
  EXPECT_EQ(FailureText([&] { Rewrite(header); }),
            "test.bas:10922: 16-bit overflow: 3 * 10923 leaves the range -32768 to 32767");
}

} // namespace
} // namespace qf::test

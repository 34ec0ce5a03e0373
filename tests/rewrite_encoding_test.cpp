// The file's own bytes go back unchanged, whatever the code page: the
// decoded text only drives the rules.

#include "processing/failure.h"
#include "rewrite/rewrite_pass.h"
#include "tests/rewrite_test_support.h"

#include <gtest/gtest.h>

namespace qf::test {
namespace {

const std::string kMarker = std::string(kMarkerLine);

TEST(RewriteEncodingTest, GbkLinesComeBackByteForByte) {
  // "中文注释" and a string literal with the euro sign (0x80 in CP936).
  const std::string comment = "' \xD6\xD0\xCE\xC4\xD7\xA2\xCA\xCD";
  const std::string literal = "s = \"\x80 \xA1\xA1\"";
  VerifyRewrite(Lines({"Attribute VB_Name = \"m\"", comment, "Sub Go()", literal, "End Sub"}),
                Lines({"   Attribute VB_Name = \"m\"", kMarker, comment}) +
                    HeaderBlock({"'## 过程名称：Go", "'## 参数： 无"}) +
                    Lines({"Sub Go()", "    " + literal, "End Sub"}));
}

// CP932 maps two byte pairs to U+2160; re-encoding the decoded text would
// turn 0xFA4A into 0x8754 inside the user's string literal.
TEST(RewriteEncodingTest, BytesThatShareACharacterAreNotReEncoded) {
  const std::string literal = "s = \"\xFA\x4A\x87\x54\"";
  const Rewritten out =
      Rewrite(Lines({"Attribute VB_Name = \"m\"", "Sub Go()", literal, "End Sub"}), {}, "CP932");
  EXPECT_NE(out.Text.find("    " + literal + "\r\n"), std::string::npos);
}

// 0x815F is one GBK character whose second byte is the underscore's byte:
// the header does not go on in the next line.
TEST(RewriteEncodingTest, ATrailByteIsNoContinuationMark) {
  const std::string header = "Sub Go() ' \x81\x5F";
  const Rewritten out = Rewrite(Lines({"Attribute VB_Name = \"m\"", header, "x = 1", "End Sub"}));
  EXPECT_NE(out.Text.find(header + "\r\n    x = 1\r\n"), std::string::npos) << out.Text;
}

TEST(RewriteEncodingTest, JoinedHeaderPartsKeepTheirBytes) {
  // "Function 计算(名 As _" + "Long)": a non-ASCII letter is a word character.
  const Rewritten out =
      Rewrite(Lines({"Attribute VB_Name = \"m\"", "Function \xBC\xC6\xCB\xE3(\xC3\xFB As _",
                     "Long)", "End Function"}));
  EXPECT_NE(out.Text.find(HeaderBlock({"'## 函数名称：计算", "'## 参数：名 为Long型",
                                       "'## 返回类型： 不确定"}) +
                          "Function \xBC\xC6\xCB\xE3(\xC3\xFB As Long)\r\n"),
            std::string::npos)
      << out.Text;
}

// A byte-order mark is an ordinary character: the first line then starts
// with no keyword, and the mark goes back where it was.
// A UTF-8 byte-order mark belongs to no line: it stays the file's first
// bytes, whatever code page the file is read in, and the first line is
// read without it (so an Attribute line there is one).
TEST(RewriteEncodingTest, AByteOrderMarkStaysAtTheStartOfTheFile) {
  const std::string bom = "\xEF\xBB\xBF";
  for (const char* codePage : {"UTF-8", "CP936", "CP1252"}) {
    SCOPED_TRACE(codePage);
    VerifyRewrite(bom + Lines({"Attribute VB_Name = \"m\"", "Dim a"}),
                  bom + Lines({"   Attribute VB_Name = \"m\"", kMarker, "Dim a"}), {}, codePage);
  }
}

// UTF-16, with its byte-order mark or without, is no code page of VB6:
// refused, never read as bytes of another.
TEST(RewriteEncodingTest, AFileInUtf16IsRefused) {
  for (const std::string& start : {std::string("\xFF\xFE", 2), std::string("\xFE\xFF", 2),
                                   std::string("A\0t\0", 4), std::string("\0A\0t", 4)}) {
    EXPECT_EQ(FailureText([&] { Rewrite(start + std::string("t\0r\0\r\0\n\0", 8)); }),
              "test.bas: the file is in UTF-16, not in a code page VB6 writes; it is not read "
              "(save it in its ANSI code page to have it rewritten)");
  }
}

TEST(RewriteEncodingTest, UndecodableBytesStopTheRewriteNamingLineAndOffset) {
  EXPECT_EQ(FailureText([] {
              Rewrite("Attribute VB_Name = \"x\"\r\nOption Explicit\r\n' ok\r\n  ' \x81\r\n");
            }),
            "test.bas:4: the bytes 0x81 do not decode in code page CP936 (byte offset 52 in the "
            "file)");
}

TEST(RewriteEncodingTest, LabelsTheCodePageCannotHoldBecomeQuestionMarks) {
  const Rewritten out = Rewrite(
      Lines({"Attribute VB_Name = \"m\"", "Sub Go(\xE9t\xE9 As Long)", "End Sub"}), {}, "CP1252");
  EXPECT_EQ(out.Text, Lines({"   Attribute VB_Name = \"m\"", kMarker, "'" + std::string(66, '#'),
                             "'## ?????Go", "'## ???\xE9t\xE9 ?Long?", "'" + std::string(66, '#'),
                             "Sub Go(\xE9t\xE9 As Long)", "End Sub"}));
}

} // namespace
} // namespace qf::test

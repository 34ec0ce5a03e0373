#include "text/code_page.h"

#include <gtest/gtest.h>

namespace qf {
namespace {

std::u16string Decode(CodePage& codePage, std::string_view bytes) {
  std::u16string buffer;
  return std::u16string(codePage.Decode(bytes, buffer));
}

std::string Encode(CodePage& codePage, std::u16string_view text) {
  std::string bytes;
  codePage.Encode(text, bytes);
  return bytes;
}

TEST(CodePageTest, NamesGoThroughIcuAliasesToTheWindowsTables) {
  for (const char* name : {"CP936", "GBK", "cp936", "windows-936"}) {
    CodePage codePage(name);
    EXPECT_EQ(codePage.Name(), name);
    EXPECT_EQ(codePage.TableName(), "windows-936-2000") << name;
    EXPECT_EQ(Decode(codePage, "\x80"), u"\u20AC") << name << ": 0x80 is the euro sign";
  }
  EXPECT_NE(CodePage("Big5").TableName(), CodePage("CP950").TableName());
  for (const char* name : {"UTF-8", "GB18030", "Big5", "CP950", "CP932", "Shift_JIS", "CP1252",
                           "CP1251", "ISO-8859-1", "US-ASCII"})
    EXPECT_NO_THROW(CodePage{name}) << name;
}

// The code pages VB6 writes its files in open under both of ICU's names for
// them (for some they are different tables) and read their own letters: the
// Windows build's ICU carries these converters and few others
// (scripts/windows_icu_data.txt).
TEST(CodePageTest, EveryWindowsAnsiCodePageOpensUnderBothOfItsNames) {
  struct Sample {
    int Number;
    std::string_view Bytes;
    std::u16string_view Text;
  };
  const Sample samples[] = {
      {874, "\xA1", u"\u0E01"},  {932, "\x82\xA0", u"あ"},  {936, "\xD6\xD0", u"中"},
      {949, "\xB0\xA1", u"가"},  {950, "\xA4\xA4", u"中"},  {1250, "\xA9", u"©"},
      {1251, "\xC0", u"\u0410"}, {1252, "\xE9", u"é"},      {1253, "\xC1", u"\u0391"},
      {1254, "\xDE", u"\u015E"}, {1255, "\xE0", u"\u05D0"}, {1256, "\xC7", u"\u0627"},
      {1257, "\xC0", u"\u0104"}, {1258, "\xA9", u"©"}};
  for (const Sample& sample : samples)
    for (const char* prefix : {"CP", "windows-"}) {
      const std::string name = prefix + std::to_string(sample.Number);
      try {
        CodePage codePage(name);
        EXPECT_EQ(Decode(codePage, sample.Bytes), sample.Text) << name;
      } catch (const CodePageError& error) {
        ADD_FAILURE() << name << ": " << error.what();
      }
    }
}

TEST(CodePageTest, RefusesUnknownNamesAndCodePagesThatAreNotAsciiBased) {
  try {
    CodePage("x-no-such-table");
    FAIL();
  } catch (const CodePageError& error) {
    EXPECT_STREQ(error.what(), "unknown code page 'x-no-such-table'");
  }
  EXPECT_THROW(CodePage(""), CodePageError);
  for (const char* name :
       {"UTF-16", "UTF-16LE", "UTF-32", "UTF-7", "ISO-2022-JP", "IBM037", "SCSU", "BOCU-1", "HZ"})
    EXPECT_THROW(CodePage{name}, CodePageError) << name;
}

TEST(CodePageTest, DecodingStopsAtTheFirstByteThatDoesNotDecode) {
  CodePage gbk("GBK");
  EXPECT_EQ(Decode(gbk, "\xD6\xD0\xCE\xC4 a"), u"中文 a");
  try {
    Decode(gbk, "ab\xD6\xD0\x81\x30x"); // 0x30 is no second byte
    FAIL();
  } catch (const DecodeFault& fault) {
    EXPECT_EQ(fault.Offset(), 4u);
    EXPECT_STREQ(fault.what(), "the bytes 0x81 do not decode in code page GBK");
  }
  try {
    Decode(gbk, "abc\x81"); // a lead byte with nothing after it
    FAIL();
  } catch (const DecodeFault& fault) {
    EXPECT_EQ(fault.Offset(), 3u);
  }
  CodePage utf8("UTF-8");
  EXPECT_THROW(Decode(utf8, "\xC3("), DecodeFault);
  EXPECT_THROW(Decode(utf8, "\xED\xA0\x80"), DecodeFault); // an encoded surrogate
}

TEST(CodePageTest, WritesAQuestionMarkForEachCharacterItCannotHold) {
  CodePage latin("CP1252");
  EXPECT_FALSE(latin.Substituted());
  EXPECT_EQ(Encode(latin, u"é 过程名称：x"), "\xE9 ?????x");
  EXPECT_TRUE(latin.Substituted());

  CodePage gbk("CP936");
  EXPECT_EQ(Encode(gbk, u"过程"), "\xB9\xFD\xB3\xCC");
  EXPECT_FALSE(gbk.Substituted());
  // A surrogate pair is one character; so is a lone surrogate.
  EXPECT_EQ(Encode(gbk, u"a\U0001F600b"), "a?b");
  EXPECT_EQ(Encode(gbk, std::u16string{u'a', char16_t(0xD800), u'b', char16_t(0xDC00)}), "a?b?");
  EXPECT_TRUE(gbk.Substituted());
}

TEST(CodePageTest, LongTextsEncodeWhole) {
  CodePage gbk("CP936");
  const std::u16string text(5000, u'中');
  const std::string bytes = Encode(gbk, text);
  ASSERT_EQ(bytes.size(), 10000u);
  EXPECT_EQ(bytes.substr(0, 2), "\xD6\xD0");
  EXPECT_EQ(Decode(gbk, bytes), text);
}

} // namespace
} // namespace qf

#include "text/line_reader.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace qf {
namespace {

struct ReadLine {
  std::string Text;
  std::uint64_t Number;
  std::uint64_t Offset;
  bool operator==(const ReadLine&) const = default;
};

std::vector<ReadLine> ReadAll(std::string_view bytes, std::size_t bufferSize) {
  MemorySource source(bytes);
  LineReader reader(source, bufferSize);
  std::vector<ReadLine> lines;
  std::string_view line;
  while (reader.Next(line))
    lines.push_back({std::string(line), reader.LineNumber(), reader.LineOffset()});
  return lines;
}

std::vector<std::string> Texts(const std::vector<ReadLine>& lines) {
  std::vector<std::string> texts;
  for (const ReadLine& line : lines)
    texts.push_back(line.Text);
  return texts;
}

using Strings = std::vector<std::string>;

TEST(LineReaderTest, SplitsAtCrLfLfAndLoneCr) {
  EXPECT_EQ(Texts(ReadAll("a\r\nb\nc\rd", 64)), (Strings{"a", "b", "c", "d"}));
  EXPECT_EQ(Texts(ReadAll("a\r\n", 64)), (Strings{"a"}));
  EXPECT_EQ(Texts(ReadAll("a\r\n\r\n", 64)), (Strings{"a", ""}));
  EXPECT_EQ(Texts(ReadAll("\n\r\r\n", 64)), (Strings{"", "", ""}));
  EXPECT_EQ(Texts(ReadAll("a\n\rb", 64)), (Strings{"a", "", "b"}));
  EXPECT_TRUE(ReadAll("", 64).empty());
  EXPECT_EQ(Texts(ReadAll(std::string_view("a\0b\r\n", 5), 64)), (Strings{std::string("a\0b", 3)}));
}

// Whatever the buffer size, a CR LF split across two reads is one break and
// a line spanning several reads comes out whole, numbered and placed.
TEST(LineReaderTest, BufferBoundariesDoNotChangeTheLines) {
  const std::string text = "first\r\nsecond line\rthird\n\r\nlonger line than any buffer\r";
  const std::vector<ReadLine> expected = {{"first", 1, 0},
                                          {"second line", 2, 7},
                                          {"third", 3, 19},
                                          {"", 4, 25},
                                          {"longer line than any buffer", 5, 27}};
  for (std::size_t size = 1; size <= 40; ++size)
    EXPECT_EQ(ReadAll(text, size), expected) << "buffer size " << size;
}

// The flag comes from the same scan as the line break: a byte above 0x7F
// just after a break (in the same sixteen-byte load) belongs to the next
// line, and a line spanning reads is ASCII only if all its parts are.
TEST(LineReaderTest, TellsWhichLinesArePlainAscii) {
  const std::vector<std::string> lines = {"plain ascii line of some length",
                                          "\xD6\xD0 at the start",
                                          "in the middle \xD6\xD0 here",
                                          "",
                                          "at the very end \xFF",
                                          "x",
                                          std::string(40, 'a') + "\x80" + std::string(40, 'b'),
                                          "short",
                                          std::string(70, 'c')};
  std::string text;
  for (const std::string& line : lines)
    text += line + "\r\n";
  for (std::size_t size = 1; size <= 40; ++size) {
    MemorySource source(text);
    LineReader reader(source, size);
    std::string_view line;
    for (const std::string& expected : lines) {
      ASSERT_TRUE(reader.Next(line));
      const bool ascii = expected.find_first_of("\x80\xD6\xD0\xFF") == std::string::npos;
      EXPECT_EQ(reader.LineIsAscii(), ascii) << "line " << reader.LineNumber() << ", size " << size;
    }
  }
}

class FailingSource final : public ByteSource {
public:
  std::size_t Read(char* buffer, std::size_t) override {
    if (done_)
      RaiseIoFailure(IoFailureKind::Read, "source");
    done_ = true;
    buffer[0] = 'x';
    return 1;
  }

private:
  bool done_ = false;
};

TEST(LineReaderTest, PassesReadFailuresOn) {
  FailingSource source;
  LineReader reader(source, 8);
  std::string_view line;
  EXPECT_THROW(reader.Next(line), FailureError<IoFailure>);
}

} // namespace
} // namespace qf

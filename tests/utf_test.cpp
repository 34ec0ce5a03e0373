#include "io/utf.h"

#include <gtest/gtest.h>

namespace qf::test {
namespace {

// A writer of UTF-16 (the Windows console) converts what is complete and
// keeps the start of a character cut between two writes.
TEST(UtfTest, TheCompleteStartOfUtf8) {
  const std::string text = "a中\xF0\x9F\x98\x80"; // a, 3 bytes, 4 bytes
  const std::size_t expected[] = {0, 1, 1, 1, 4, 4, 4, 4, 8};
  for (std::size_t size = 0; size <= text.size(); ++size)
    EXPECT_EQ(CompleteUtf8Length(std::string_view(text).substr(0, size)), expected[size]) << size;
  // Bytes that are no UTF-8 wait for nothing.
  EXPECT_EQ(CompleteUtf8Length("\x80\x80\x80\x80\x80"), 5u);
  EXPECT_EQ(CompleteUtf8Length("a\xFF"), 2u);
  EXPECT_EQ(CompleteUtf8Length("\xE4\xB8"), 0u);
}

} // namespace
} // namespace qf::test

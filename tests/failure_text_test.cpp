// The words of failures: every kind has its text in both languages, each
// particular filled in, and the texts that once went wrong.

#include "cli/failure_english.h"
#include "io/utf.h"
#include "processing/failure_chinese.h"

#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace qf {
namespace {

/// One failure of every kind of every layer, with every particular set.
std::vector<Failure> EveryKind() {
  std::vector<Failure> all;
  for (std::size_t k = 0; k < kIoFailureKinds; ++k)
    all.push_back(IoFailure{static_cast<IoFailureKind>(k), "a.bas", 0, FileType::Fifo, {2}});
  for (std::size_t k = 0; k < kTextFailureKinds; ++k)
    all.push_back(TextFailure{static_cast<TextFailureKind>(k), "a.bas", 3, 40, "0x81",
                              "windows-936", "windows-1252"});
  for (std::size_t k = 0; k < kRewriteFailureKinds; ++k)
    all.push_back(
        RewriteFailure{static_cast<RewriteFailureKind>(k), "a.bas", 3, "8192 * 4", "CP936"});
  for (std::size_t k = 0; k < kProjectFailureKinds; ++k)
    all.push_back(
        ProjectFailure{static_cast<ProjectFailureKind>(k), "a.vbp", 2, "modA", FileKind::Module});
  return all;
}

TEST(FailureTextTest, EveryKindHasItsWordsInBothLanguagesWithEveryParticularFilledIn) {
  std::set<std::string> english;
  for (const Failure& failure : EveryKind()) {
    const std::string inEnglish = cli::DescribeInEnglish(failure);
    const std::string inChinese = Utf16ToUtf8(DescribeInChinese(failure));
    SCOPED_TRACE(inEnglish);
    EXPECT_EQ(inEnglish.find_first_of("{}"), std::string::npos);
    EXPECT_EQ(inChinese.find_first_of("{}"), std::string::npos) << inChinese;
    EXPECT_GT(inEnglish.size(), FailedFile(failure).size() + 10);
    EXPECT_TRUE(inChinese.find("：" + FailedFile(failure)) != std::string::npos) << inChinese;
    EXPECT_FALSE(FailureKindName(failure).empty());
    english.insert(inEnglish);
  }
  EXPECT_EQ(english.size(), EveryKind().size()) << "two kinds read the same";
}

TEST(FailureTextTest, AFileOfNoKnownTypeIsNoRegularFileOnce) {
  const Failure special = IoFailure{IoFailureKind::NotAFile, "x.bas", 0, FileType::Other, {}};
  EXPECT_EQ(Utf16ToUtf8(DescribeInChinese(special)), "无法打开文件：x.bas（不是普通文件）");
  EXPECT_EQ(cli::DescribeInEnglish(special),
            "x.bas: cannot open for reading: it is a special file, not a regular file");
  const Failure fifo = IoFailure{IoFailureKind::NotAFile, "x.bas", 0, FileType::Fifo, {}};
  EXPECT_EQ(Utf16ToUtf8(DescribeInChinese(fifo)),
            "无法打开文件：x.bas（是一个命名管道，不是普通文件）");
}

} // namespace
} // namespace qf

#include "io/staged_file.h"
#include "processing/failure.h"
#include "processing/file_rewrite.h"
#include "rewrite/rewrite_pass.h"
#include "tests/rewrite_test_support.h"
#include "tests/support/system_facts.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace qf::test {
namespace {

namespace fs = std::filesystem;

class RewriteFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("qf-rewrite-file-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path Write(const std::string& name, const std::string& bytes) {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

  FileRewrite Stage(const fs::path& path) {
    OpenedSource source{path, RealFileSystem().OpenForReading(path)};
    return RewriteFile(source, {settings_, gbk_, RealFileSystem(), RunMode::Write});
  }

  fs::path dir_;
  ProcessingSettings settings_;
  CodePage gbk_{"CP936"};
};

TEST_F(RewriteFileTest, StagesTheRewriteInThePathFollowedByTmpThenCommitsIt) {
  const std::string original = "Attribute VB_Name = \"m\"\nDim a\n";
  const std::string rewrite =
      Lines({"   Attribute VB_Name = \"m\"", std::string(kMarkerLine), "Dim a"});
  const fs::path path = Write("Module1.bas", original);
  EXPECT_EQ(TemporaryPathFor(path), dir_ / "Module1.bastmp");
  FileRewrite staged = Stage(path);
  ASSERT_EQ(staged.Outcome, RewriteOutcome::Rewritten);
  ASSERT_TRUE(staged.Staged);
  EXPECT_EQ(Read(path), original);
  EXPECT_EQ(Read(dir_ / "Module1.bastmp"), rewrite);
  staged.Staged->Seal();
  staged.Staged->Commit();
  EXPECT_EQ(Read(path), rewrite);
  EXPECT_FALSE(fs::exists(dir_ / "Module1.bastmp"));
}

TEST_F(RewriteFileTest, AStagedRewriteThatIsNotCommittedLeavesNoTemporaryFile) {
  const fs::path path = Write("Module1.bas", "Attribute VB_Name = \"m\"\nDim a\n");
  Stage(path).Staged->Seal();
  EXPECT_FALSE(fs::exists(dir_ / "Module1.bastmp"));
}

TEST_F(RewriteFileTest, AMarkedFileKeepsItsBytesAndLeavesNoTemporaryFile) {
  const std::string original = Lines(
      {"VERSION 5.00", "Attribute VB_Name = \"f\"", std::string(kMarkerLine), "Option Explicit"});
  const fs::path path = Write("Form1.frm", original);
  EXPECT_EQ(RewriteInPlace(path, settings_, gbk_), RewriteOutcome::AlreadyProcessed);
  EXPECT_EQ(Read(path), original);
  EXPECT_FALSE(fs::exists(dir_ / "Form1.frmtmp"));
}

// A failure before the rewrite's first bytes creates nothing, and leaves
// alone what stands at the temporary path: it is not the run's.
TEST_F(RewriteFileTest, AFailureLeavesTheFileAsItWasAndNoTemporaryFile) {
  const std::string original = "Attribute VB_Name = \"m\"\r\n' \x81\r\n";
  const fs::path path = Write("Bad.bas", original);
  EXPECT_THROW(RewriteInPlace(path, settings_, gbk_), FailureErrorBase);
  EXPECT_EQ(Read(path), original);
  EXPECT_FALSE(fs::exists(dir_ / "Bad.bastmp"));
  Write("Bad.bastmp", "stale");
  EXPECT_THROW(RewriteInPlace(path, settings_, gbk_), FailureErrorBase);
  EXPECT_EQ(Read(dir_ / "Bad.bastmp"), "stale");
}

TEST_F(RewriteFileTest, AMissingFileIsNamedAndNoTemporaryFileIsMade) {
  const fs::path path = dir_ / "Missing.bas";
  EXPECT_EQ(FailureText([&] { RewriteInPlace(path, settings_, gbk_); }),
            path.string() + ": cannot open for reading: " + NoSuchFileWords());
  EXPECT_FALSE(fs::exists(dir_ / "Missing.bastmp"));
  EXPECT_EQ(FailureText([&] { RewriteInPlace(dir_, settings_, gbk_); }),
            dir_.string() + ": cannot open for reading: it is a directory");
}

} // namespace
} // namespace qf::test

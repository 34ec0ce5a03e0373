// quillformer-cli --print, run as a real program.

#include "rewrite/rewrite_pass.h"
#include "tests/rewrite_test_support.h"
#include "tests/support/cli_runner.h"
#include "tests/support/system_facts.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace qf::test {
namespace {

namespace fs = std::filesystem;

class CliPrintTest : public ::testing::Test {
protected:
  fs::path Write(const std::string& name, const std::string& bytes) {
    return dir_.Write(name, bytes);
  }
  CliRun Run(const std::vector<std::string>& args, const std::string& input = "") {
    return RunCli(args, dir_.Path(), input);
  }
  static std::string ReadFile(const fs::path& path) { return ReadBytes(path); }

  TempDir dir_;
};

const std::string kModule = Lines({"Attribute VB_Name = \"m\"", "Sub Go()", "x = 1", "End Sub"});

TEST_F(CliPrintTest, PrintsTheRewriteAndTouchesNoFile) {
  const fs::path file = Write("m.bas", kModule);
  const CliRun run = Run({"--print", file.string()});
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Out, Lines({"   Attribute VB_Name = \"m\"", std::string(kMarkerLine)}) +
                         HeaderBlock({"'## 过程名称：Go", "'## 参数： 无"}) +
                         Lines({"Sub Go()", "    x = 1", "End Sub"}));
  EXPECT_EQ(run.Err, "");
  EXPECT_EQ(ReadFile(file), kModule);
  EXPECT_FALSE(fs::exists(dir_ / "m.bastmp"));
}

TEST_F(CliPrintTest, OptionsSetIndentSeparatorAndCodePage) {
  const CliRun run =
      Run({"--print", "-", "--indent", "2", "--separator", "中", "--encoding", "UTF-8"}, kModule);
  EXPECT_EQ(run.Status, 0) << run.Err;
  std::string line = "'";
  for (int i = 0; i < 66; ++i)
    line += "中";
  EXPECT_EQ(run.Out, Lines({"   Attribute VB_Name = \"m\"", std::string(kMarkerLine), line,
                            "'中中中中中中中中中中中中中中 过程名称：Go",
                            "'中中中中中中中中中中中中中中 参数： 无", line, "Sub Go()", "  x = 1",
                            "End Sub"}));
}

TEST_F(CliPrintTest, AMarkedFilePrintsNothingAndExitsWithThree) {
  const std::string marked = Lines({"Attribute VB_Name = \"m\"", std::string(kMarkerLine)});
  const CliRun run = Run({"--print", "-"}, marked);
  EXPECT_EQ(run.Status, 3);
  EXPECT_EQ(run.Out, "");
  EXPECT_EQ(run.Err, "standard input: already processed (it carries the marker line); nothing "
                     "printed\n");
}

TEST_F(CliPrintTest, FailuresNameTheFileAndLineAndExitWithOne) {
  const fs::path bad = Write("bad.bas", "Attribute VB_Name = \"m\"\r\n\x81\r\n");
  CliRun run = Run({"--print", bad.string()});
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Err, "quillformer-cli: " + bad.string() +
                         ":2: the bytes 0x81 do not decode in code page CP936 (byte offset 25 in "
                         "the file)\n");
  run = Run({"--print", (dir_ / "none.bas").string()});
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Err, "quillformer-cli: " + (dir_ / "none.bas").string() +
                         ": cannot open for reading: " + NoSuchFileWords() + "\n");
}

TEST_F(CliPrintTest, UsageErrorsExitWithTwoAndShowTheUsage) {
  const fs::path file = Write("m.bas", kModule);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{},
        {"--print", file.string(), "--indent", "101"},
        {"--print", file.string(), "--indent", "x"},
        {"--print", file.string(), "--separator", "123456789"},
        {"--print", file.string(), "--encoding", "UTF-16"},
        {"--print", file.string(), "--encoding", "no-such-code-page"},
        {"--print", file.string(), "--bogus"}}) {
    const CliRun run = Run(args);
    EXPECT_EQ(run.Status, 2) << run.Err;
    EXPECT_EQ(run.Out, "");
    EXPECT_NE(run.Err.find("Usage:"), std::string::npos) << run.Err;
  }
  const CliRun nine = Run({"--print", file.string(), "--separator", "一二三四五六七八九"});
  EXPECT_EQ(nine.Err.substr(0, nine.Err.find('\n')),
            "quillformer-cli: --separator: at most 8 characters, got 9");
  EXPECT_EQ(Run({"--print", file.string(), "--separator", "一二三四五六七八"}).Status, 0);
}

TEST_F(CliPrintTest, WarnsOnceWhenTheCodePageCannotHoldTheLabels) {
  const CliRun run = Run({"--print", "-", "--encoding", "CP1252"},
                         kModule + Lines({"Function F()", "End Function"}));
  EXPECT_EQ(run.Status, 0);
  EXPECT_NE(run.Out.find("'## ?????Go\r\n"), std::string::npos);
  EXPECT_EQ(run.Err, "quillformer-cli: warning: code page CP1252 cannot hold some characters of "
                     "the comment headers; each was written as \"?\" (--labels en writes them "
                     "in English, --labels auto in the code page's language)\n");
}

TEST_F(CliPrintTest, HelpAndVersion) {
  const CliRun help = Run({"--help"});
  EXPECT_EQ(help.Status, 0);
  EXPECT_NE(help.Out.find("--print"), std::string::npos);
  EXPECT_NE(help.Out.find("Exit status"), std::string::npos);
  const CliRun version = Run({"--version"});
  EXPECT_EQ(version.Status, 0);
  EXPECT_EQ(version.Out.rfind("quillformer-cli ", 0), 0u);
}

} // namespace
} // namespace qf::test

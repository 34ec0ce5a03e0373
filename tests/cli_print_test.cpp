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

namespace qf::test {
namespace {

/// The longest line of `text` in bytes, and the most blanks before a line's
/// text.
std::pair<std::size_t, std::size_t> Widest(const std::string& text) {
  std::pair<std::size_t, std::size_t> widest{0, 0};
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (line.ends_with('\r'))
      line.pop_back();
    widest.first = std::max(widest.first, line.size());
    widest.second = std::max(widest.second, line.find_first_not_of(' '));
  }
  return widest;
}

// What VB6 loads, and only that: no line past 1,023 bytes (a header too
// long to join keeps its lines), none with more than 256 blanks before its
// text (said on standard error), a UTF-8 byte-order mark where it stood,
// and no file in UTF-16.
TEST_F(CliPrintTest, WritesOnlyWhatVb6Loads) {
  std::string header = "Public Function Total(a0 As Long, _\r\n";
  for (int i = 1; i < 100; ++i)
    header += "    a" + std::to_string(i) + " As Long" + (i < 99 ? ", _\r\n" : ") As Long\r\n");
  std::string deep;
  for (int level = 0; level < 4; ++level)
    deep += "If x Then\r\n";
  const fs::path file = Write(
      "m.bas", "\xEF\xBB\xBF" + Lines({"Attribute VB_Name = \"m\""}) + header + deep + "x = 1\r\n" +
                   Lines({"End If", "End If", "End If", "End If", "End Function"}));
  const CliRun run = Run({"--print", file.string(), "--indent", "100", "--labels", "en"});
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_TRUE(run.Out.starts_with("\xEF\xBB\xBF   Attribute VB_Name")) << run.Out.substr(0, 40);
  EXPECT_NE(run.Out.find("'## Parameter: a99 As Long\r\n"), std::string::npos);
  EXPECT_NE(run.Out.find("\r\nPublic Function Total(a0 As Long, _\r\na1 As Long, _\r\n"),
            std::string::npos);
  const auto [longest, blanks] = Widest(run.Out);
  EXPECT_LE(longest, kLongestVb6Line);
  EXPECT_EQ(blanks, kMostLeadingBlanks);
  EXPECT_EQ(run.Err, "quillformer-cli: warning: some lines would have had more than 256 blanks "
                     "before their text, more than VB6 loads; their indentation was cut to 256 (a "
                     "smaller --indent keeps every level apart)\n");

  const fs::path wide = Write("w.bas", std::string("\xFF\xFE", 2) + "A\0t\0\r\0\n\0");
  const CliRun utf16 = Run({"--print", wide.string()});
  EXPECT_EQ(utf16.Status, 1);
  EXPECT_EQ(utf16.Out, "");
  EXPECT_EQ(utf16.Err, "quillformer-cli: " + wide.string() +
                           ": the file is in UTF-16, not in a code page VB6 writes; it is not "
                           "read (save it in its ANSI code page to have it rewritten)\n");
}

} // namespace
} // namespace qf::test

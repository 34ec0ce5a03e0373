// quillformer-cli PROJECT.vbp, run as a real program on temporary copies.

#include "tests/rewrite_test_support.h"
#include "tests/support/cli_runner.h"
#include "tests/support/system_facts.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>

namespace qf::test {
namespace {

namespace fs = std::filesystem;

class CliProjectTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (const auto& entry : fs::directory_iterator(QF_EXAMPLES_DIR "/demo"))
      fs::copy_file(entry.path(), dir_ / entry.path().filename().string());
  }
  CliRun Run(const std::vector<std::string>& args) { return RunCli(args, scratch_.Path()); }

  TempDir dir_;
  TempDir scratch_;
};

TEST_F(CliProjectTest, PrintsTheReportInUtf8WithLfLineEnds) {
  const std::string project = (dir_ / "Demo.vbp").string();
  const CliRun run = Run({"--indent", "2", project});
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Err, "");
  EXPECT_TRUE(run.Out.starts_with("操作报告：\n    工程名称：StockDemo\n    程序类型：Exe\n"))
      << run.Out;
  EXPECT_TRUE(run.Out.ends_with("属性页单元\n    属性页位置：" + (dir_ / "pgGauge.pag").string() +
                                "\n    ......处理完成\n"))
      << run.Out;
  EXPECT_EQ(run.Out.find('\r'), std::string::npos);
  EXPECT_NE(ReadBytes(dir_ / "modStock.bas").find("\r\n  Dim i As Long\r\n"), std::string::npos);

  const CliRun again = Run({project});
  EXPECT_EQ(again.Status, 0);
  EXPECT_EQ(again.Out.find("处理完成"), std::string::npos);
}

TEST_F(CliProjectTest, AFailureEndsTheReportAndExitsWithOne) {
  fs::remove(dir_ / "clsItem.cls");
  const CliRun run = Run({(dir_ / "Demo.vbp").string()});
  const std::string cause =
      (dir_ / "clsItem.cls").string() + ": cannot open for reading: " + NoSuchFileWords();
  EXPECT_EQ(run.Status, 1);
  EXPECT_TRUE(run.Out.ends_with("    ......处理中断：无法打开文件：" +
                                (dir_ / "clsItem.cls").string() + "（" + NoSuchFileWords() +
                                "）\n"))
      << run.Out;
  EXPECT_EQ(run.Err, "quillformer-cli: " + cause + "\n");
}

TEST_F(CliProjectTest, AFailureBeforeTheReportPrintsNoReport) {
  const CliRun run = Run({(dir_ / "Missing.vbp").string()});
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Out, "");
  EXPECT_EQ(run.Err, "quillformer-cli: " + (dir_ / "Missing.vbp").string() +
                         ": cannot open for reading: " + NoSuchFileWords() + "\n");
}

TEST_F(CliProjectTest, AProjectAndPrintTogetherAreAUsageError) {
  const CliRun run = Run({(dir_ / "Demo.vbp").string(), "--print", "x.bas"});
  EXPECT_EQ(run.Status, 2);
  EXPECT_TRUE(run.Err.starts_with("quillformer-cli: give either PROJECT.vbp or --print FILE, not "
                                  "both\n"))
      << run.Err;
  EXPECT_EQ(Run({"--check", "--print", "x.bas"}).Status, 2);
}

// Options that would write code into every file are refused before any
// file is touched: a separator with a control character (its line breaks
// would put "End" lines of code into each header), one whose frame lines
// end in a line continuation (the Sub below would join the comment and
// leave the program), and an indent that is not decimal (C would read 010
// as eight).
TEST_F(CliProjectTest, OptionsThatWouldWriteCodeAreRefused) {
  const std::string project = (dir_ / "Demo.vbp").string();
  std::map<std::string, std::string> before;
  for (const auto& entry : fs::directory_iterator(dir_.Path()))
    before[entry.path().filename().string()] = FileStamp(entry.path());
  const std::string control = "quillformer-cli: --separator: the text holds a control character, "
                              "which would end the comment headers' lines and write the rest as "
                              "code";
  const std::string continuation =
      "quillformer-cli: --separator: the comment headers' frame lines would end in a line "
      "continuation (a blank and \"_\"), which makes the line below them part of the comment";
  const auto indent = [](const std::string& given) {
    return "quillformer-cli: --indent: \"" + given + "\" is not a number in decimal digits";
  };
  const std::string range = "quillformer-cli: --indent: Value 101 not in range 0 to 100";
  const std::pair<std::vector<std::string>, std::string> refused[] = {
      {{"--separator", "\r\nEnd\r\n"}, control},
      {{"--separator", "#\t"}, control},
      {{"--separator", "\x7f"}, control},
      {{"--separator", "\xc2\x85"}, control}, // NEL, a C1 control
      {{"--separator", " _"}, continuation},
      {{"--separator", "\t_"}, control},
      {{"--separator", "_ "}, continuation}, // blanks after the "_" aside
      {{"--indent", "0x10"}, indent("0x10")},
      {{"--indent", "+4"}, indent("+4")},
      {{"--indent", " 4"}, indent(" 4")},
      {{"--indent", "101"}, range},
      {{"--indent", "00000000000000000000101"}, range},
  };
  for (const auto& [options, message] : refused) {
    std::vector<std::string> args = options;
    args.push_back(project);
    const CliRun run = Run(args);
    EXPECT_EQ(run.Status, 2) << options[1];
    EXPECT_EQ(run.Err.substr(0, run.Err.find('\n')), message);
    EXPECT_EQ(run.Out, "");
  }
  std::map<std::string, std::string> after;
  for (const auto& entry : fs::directory_iterator(dir_.Path()))
    after[entry.path().filename().string()] = FileStamp(entry.path());
  EXPECT_EQ(after, before) << "a refused option touched a file";

  // A frame of "_" continues nothing; the unit of " _#" ends in " _", but a
  // label follows it on its line.
  for (const char* separator : {"_", " _#"})
    EXPECT_EQ(Run({"--check", "--separator", separator, project}).Status, 1) << separator;
  const CliRun ten = Run({"--indent", "010", project});
  EXPECT_EQ(ten.Status, 0) << ten.Err;
  EXPECT_NE(ReadBytes(dir_ / "modStock.bas").find("\r\n          Dim i As Long\r\n"),
            std::string::npos);
}

} // namespace
} // namespace qf::test

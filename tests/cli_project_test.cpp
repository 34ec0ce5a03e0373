// quillformer-cli PROJECT.vbp, run as a real program on temporary copies.

#include "tests/rewrite_test_support.h"
#include "tests/support/cli_runner.h"
#include "tests/support/system_facts.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

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

} // namespace
} // namespace qf::test

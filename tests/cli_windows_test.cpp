// The command line on Windows: its arguments are UTF-16, its report goes
// into a file or a pipe as the UTF-8 bytes of the POSIX build (LF, no CR
// added), and into a console as UTF-16 text.

#include "processing/operation_report.h"
#include "processing/processing_run.h"
#include "tests/rewrite_test_support.h"
#include "tests/support/cli_runner.h"
#include "tests/support/temp_dir.h"
#include "text/paths.h"
#include "text/utf.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace qf::test {
namespace {

namespace fs = std::filesystem;

const std::string kModule = Lines({"Attribute VB_Name = \"m\"", "Sub Go()", "End Sub"});

class CliWindowsTest : public ::testing::Test {
protected:
  /// A project in a folder whose name the ANSI code page cannot hold.
  fs::path WriteProject() {
    dir_.Write("演示工程/模块.bas", kModule);
    CodePage codes("CP936");
    std::string entry;
    codes.Encode(u"Module=模块; 模块.bas\r\n", entry);
    return dir_.Write("演示工程/演示.vbp", entry);
  }

  TempDir dir_;
  TempDir scratch_;
};

TEST_F(CliWindowsTest, AChineseProjectPathAndTheReportInUtf8) {
  ASSERT_NE(::GetACP(), 936u) << "the test needs an ANSI code page without these characters";
  const fs::path project = WriteProject();
  const CliRun run = RunCli({PathText(project)}, scratch_.Path());
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(ReadBytes(dir_ / "演示工程/模块.bas"), Rewrite(kModule).Text);
  // The same lines as the report of the run itself, each ended by LF alone.
  std::string expected;
  const ProcessingSettings settings;
  CodePage codes("CP936");
  WriteProject();
  OperationReport report(
      [&expected](std::u16string_view line) { expected += Utf16ToUtf8(line) + "\n"; });
  ASSERT_FALSE(ProcessProject(PathUtf16(project), RunEnvironment{settings, codes, RealFileSystem()},
                              report));
  EXPECT_EQ(run.Out, expected);
  EXPECT_NE(run.Out.find("    模块位置：" + PathText(dir_ / "演示工程/模块.bas") + "\n"),
            std::string::npos);
}

} // namespace
} // namespace qf::test

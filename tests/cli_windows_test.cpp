// The command line on Windows: its arguments are UTF-16, its report goes
// into a file or a pipe as the UTF-8 bytes of the POSIX build (LF, no CR
// added), and into a console as UTF-16 text; --diff's colours need a
// console with its virtual-terminal mode on.

#include "cli/terminal.h"
#include "cli/windows_console.h"
#include "io/paths.h"
#include "io/utf.h"
#include "processing/operation_report.h"
#include "processing/processing_run.h"
#include "tests/rewrite_test_support.h"
#include "tests/support/cli_runner.h"
#include "tests/support/temp_dir.h"

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

/// The process's own console (a new one when it has none) as standard
/// output for the test's span, the old standard output back after.
class OwnConsole {
public:
  OwnConsole() : saved_(::GetStdHandle(STD_OUTPUT_HANDLE)) {
    ::AllocConsole(); // fails when there is one already: that one serves
    console_ =
        ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, 0, nullptr);
    if (console_ != INVALID_HANDLE_VALUE)
      ::SetStdHandle(STD_OUTPUT_HANDLE, console_);
  }
  ~OwnConsole() {
    ::SetStdHandle(STD_OUTPUT_HANDLE, saved_);
    if (console_ != INVALID_HANDLE_VALUE)
      ::CloseHandle(console_);
  }
  OwnConsole(const OwnConsole&) = delete;
  OwnConsole& operator=(const OwnConsole&) = delete;

  bool Usable() const { return console_ != INVALID_HANDLE_VALUE; }
  HANDLE Handle() const { return console_; }

private:
  HANDLE saved_;
  HANDLE console_ = INVALID_HANDLE_VALUE;
};

// Chinese reaches a console as characters, whatever its code page, even
// when a character's bytes come in two writes; the console takes colours
// (its virtual-terminal mode is switched on), a file does not.
TEST(CliConsoleTest, ChineseReadsRightAndColoursNeedTheTerminalMode) {
  {
    const TempDir dir;
    const fs::path file = dir / "out.txt";
    const HANDLE saved = ::GetStdHandle(STD_OUTPUT_HANDLE);
    const HANDLE redirected =
        ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(redirected, INVALID_HANDLE_VALUE);
    ::SetStdHandle(STD_OUTPUT_HANDLE, redirected);
    const bool colours = cli::OutputTakesColours();
    {
      cli::ConsoleStream out(cli::StandardHandle::Output);
      out << "中文\n" << std::flush;
    }
    ::SetStdHandle(STD_OUTPUT_HANDLE, saved);
    ::CloseHandle(redirected);
    EXPECT_FALSE(colours) << "a file gets no escape codes";
    EXPECT_EQ(ReadBytes(file), "中文\n") << "a file gets the UTF-8 bytes, no CR";
  }

  const OwnConsole console;
  if (!console.Usable())
    GTEST_SKIP() << "no console can be had here";
  ::SetConsoleOutputCP(437); // a code page without Chinese: it must not matter
  CONSOLE_SCREEN_BUFFER_INFO before{};
  ASSERT_NE(::GetConsoleScreenBufferInfo(console.Handle(), &before), 0);
  {
    cli::ConsoleStream out(cli::StandardHandle::Output);
    const std::string text = "报告：中文";
    out << text.substr(0, 7) << std::flush; // "报告" and the first byte of "："
    out << text.substr(7) << std::flush;
  }
  std::wstring shown(5, L' ');
  DWORD read = 0;
  ASSERT_NE(::ReadConsoleOutputCharacterW(console.Handle(), shown.data(), 5,
                                          before.dwCursorPosition, &read),
            0);
  EXPECT_EQ(shown, L"报告：中文");
  EXPECT_TRUE(cli::OutputTakesColours());
  DWORD mode = 0;
  ASSERT_NE(::GetConsoleMode(console.Handle(), &mode), 0);
  EXPECT_NE(mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING, 0u);
}

} // namespace
} // namespace qf::test

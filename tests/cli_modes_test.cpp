// quillformer-cli's ways of looking before it leaps (--dry-run, --check,
// --diff), several projects and groups, and the JSON report, run as a real
// program on copies of the sample project.

#include "io/utf.h"
#include "tests/rewrite_test_support.h"
#include "tests/support/cli_runner.h"
#include "tests/support/system_facts.h"
#include "tests/support/temp_dir.h"
#include "text/code_page.h"

#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

namespace qf::test {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kSources = {"frmMain.frm", "modStock.bas", "clsItem.cls",
                                           "ctlGauge.ctl", "pgGauge.pag"};

std::vector<std::string> SplitLines(const std::string& text, char end = '\n') {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line, end);)
    lines.push_back(line);
  return lines;
}

/// A file's text as the diff shows it: decoded from GBK, lines without CR.
std::vector<std::string> Decoded(const std::string& bytes) {
  CodePage gbk("CP936");
  std::u16string buffer;
  std::vector<std::string> lines;
  for (std::string line : SplitLines(bytes)) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    lines.push_back(Utf16ToUtf8(gbk.Decode(line, buffer)));
  }
  return lines;
}

/// Applies the hunks of one file's unified diff to `lines`, checking that
/// every context and removed line is where the hunk says.
std::vector<std::string> Apply(const std::vector<std::string>& diff, std::size_t& at,
                               std::vector<std::string> lines) {
  std::vector<std::string> result;
  std::size_t next = 0; // the first line of `lines` not yet copied
  while (at < diff.size() && diff[at].starts_with("@@ -")) {
    std::size_t oldStart = std::stoul(diff[at].substr(4));
    if (diff[at].find(",0 ") != std::string::npos)
      ++oldStart; // an empty range names the line before it
    for (; next + 1 < oldStart; ++next)
      result.push_back(lines.at(next));
    for (++at; at < diff.size() && !diff[at].starts_with("@@") && !diff[at].starts_with("diff");
         ++at) {
      const char sign = diff[at][0];
      const std::string text = diff[at].substr(1);
      if (sign == '+') {
        result.push_back(text);
      } else {
        EXPECT_EQ(lines.at(next), text) << "at line " << next + 1;
        if (sign == ' ')
          result.push_back(text);
        ++next;
      }
    }
  }
  for (; next < lines.size(); ++next)
    result.push_back(lines[next]);
  return result;
}

class CliModesTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (const auto& entry : fs::directory_iterator(QF_EXAMPLES_DIR "/demo"))
      fs::copy_file(entry.path(), dir_ / entry.path().filename().string());
  }
  CliRun Run(const std::vector<std::string>& args) { return RunCli(args, scratch_.Path()); }
  std::string Project() const { return (dir_ / "Demo.vbp").string(); }

  /// Every name in the folder with its inode, size and modification time.
  std::map<std::string, std::string> Listing() const {
    std::map<std::string, std::string> listing;
    for (const auto& entry : fs::directory_iterator(dir_.Path()))
      listing[entry.path().filename().string()] = FileStamp(entry.path());
    return listing;
  }

  TempDir dir_;
  TempDir scratch_;
};

TEST_F(CliModesTest, ADryRunTouchesNothingAndReportsWhatARunDoes) {
  const auto before = Listing();
  const CliRun dry = Run({"--dry-run", Project()});
  EXPECT_EQ(dry.Status, 0) << dry.Err;
  EXPECT_EQ(Listing(), before) << "a dry run wrote, created, renamed or removed a file";
  const CliRun check = Run({"--check", Project()});
  EXPECT_EQ(check.Status, 1);
  std::string listed;
  for (const std::string& name : kSources)
    listed += (dir_ / name).string() + "\n";
  EXPECT_EQ(check.Out, listed);

  const CliRun real = Run({Project()});
  EXPECT_EQ(real.Out, dry.Out) << "the dry run's report is the real run's";
  const CliRun tidy = Run({"--check", Project()});
  EXPECT_EQ(tidy.Status, 0);
  EXPECT_EQ(tidy.Out, "");
  EXPECT_EQ(Run({"--diff", Project()}).Out, "");
}

// The diff shows the Chinese comments in UTF-8, and applying it to the
// decoded files gives the decoded rewrite, file by file.
TEST_F(CliModesTest, TheDiffIsWhatARunChanges) {
  std::map<std::string, std::vector<std::string>> originals;
  for (const std::string& name : kSources)
    originals[name] = Decoded(ReadBytes(dir_ / name));
  const CliRun diff = Run({"--diff", Project()});
  EXPECT_EQ(diff.Status, 1) << diff.Err;
  EXPECT_NE(diff.Out.find("\n ' 载入示例数据\n+'##############"), std::string::npos) << diff.Out;
  EXPECT_EQ(diff.Out.find('\x1b'), std::string::npos) << "no colours into a pipe";
  ASSERT_EQ(Run({Project()}).Status, 0);

  const std::vector<std::string> lines = SplitLines(diff.Out);
  std::size_t at = 0;
  for (const std::string& name : kSources) {
    ASSERT_LT(at + 2, lines.size());
    EXPECT_EQ(lines[at], "diff --git a/" + name + " b/" + name);
    EXPECT_EQ(lines[at + 1], "--- a/" + name);
    EXPECT_EQ(lines[at + 2], "+++ b/" + name);
    at += 3;
    EXPECT_EQ(Apply(lines, at, originals[name]), Decoded(ReadBytes(dir_ / name))) << name;
  }
  EXPECT_EQ(at, lines.size());
}

TEST_F(CliModesTest, ColoursAsGitDoesWhenAsked) {
  const std::string coloured = Run({"--diff", "--color=always", Project()}).Out;
  EXPECT_TRUE(coloured.starts_with("\x1b[1mdiff --git a/frmMain.frm b/frmMain.frm\x1b[m\n"));
  EXPECT_NE(coloured.find("\n\x1b[36m@@ -1,63 +1,77 @@\x1b[m\n"), std::string::npos);
  EXPECT_NE(coloured.find("\n\x1b[31m-VERSION 5.00\x1b[m\n\x1b[32m+   VERSION 5.00\x1b[m\n"),
            std::string::npos);
}

// Several projects and groups: each project once, in order; a file that
// two projects list is rewritten once; a failure stops the call unless
// --keep-going, and the exit status is the worst met.
TEST_F(CliModesTest, GroupsAndSeveralProjects) {
  dir_.Write("Other.vbp", "Name=\"Other\"\r\nModule=modStock; modStock.bas\r\n");
  dir_.Write("All.vbg", "VBGROUP 5.0\r\nStartupProject=Demo.vbp\r\nProject=DEMO.vbp\r\n"
                        "Project=Other.vbp\r\n");
  dir_.Write("Gone.vbg", "VBGROUP 5.0\r\nProject=Gone.vbp\r\n");
  const auto before = Listing();
  const CliRun missing = Run({(dir_ / "Gone.vbg").string(), (dir_ / "All.vbg").string()});
  EXPECT_EQ(missing.Status, 1);
  EXPECT_EQ(missing.Err, "quillformer-cli: " + (dir_ / "Gone.vbg").string() +
                             ":2: the project group names Gone.vbp, which is not there\n");
  EXPECT_EQ(Listing(), before) << "a group that cannot be read touches nothing";
  // A group names projects: a module or another group is no project.
  dir_.Write("Odd.vbg", "VBGROUP 5.0\r\nProject=Demo.vbp\r\nProject=modStock.bas\r\n");
  const CliRun odd = Run({(dir_ / "Odd.vbg").string()});
  EXPECT_EQ(odd.Status, 1);
  EXPECT_EQ(odd.Err, "quillformer-cli: " + (dir_ / "Odd.vbg").string() +
                         ":3: the project group names modStock.bas, which is no project file "
                         "(.vbp)\n");
  std::filesystem::remove(dir_ / "Odd.vbg");
  EXPECT_EQ(Listing(), before);

  const CliRun dry = Run({"--dry-run", (dir_ / "All.vbg").string()});
  const CliRun run =
      Run({"--keep-going", (dir_ / "Gone.vbg").string(), (dir_ / "All.vbg").string()});
  EXPECT_EQ(run.Status, 1) << "the worst status met";
  EXPECT_EQ(run.Out, dry.Out) << "a dry run tells a file listed twice as a run finds it";
  const std::vector<std::string> report = SplitLines(run.Out);
  EXPECT_EQ(std::count(report.begin(), report.end(), "操作报告："), 2);
  EXPECT_TRUE(run.Out.ends_with("    模块位置：" + (dir_ / "modStock.bas").string() +
                                "\n    ......已经被处理过，不能继续处理\n类模块对象\n用户控件单元\n"
                                "属性页单元\n"))
      << run.Out;
  EXPECT_EQ(Run({"--check", (dir_ / "All.vbg").string()}).Status, 0);
}

TEST_F(CliModesTest, TheJsonReportTellsEachFileAndTheFailure) {
  fs::remove(dir_ / "clsItem.cls");
  const CliRun run = Run({"--report=json", "--dry-run", Project()});
  EXPECT_EQ(run.Status, 1);
  const nlohmann::json report = nlohmann::json::parse(run.Out);
  EXPECT_EQ(report["codePage"], "windows-936");
  EXPECT_EQ(report["properties"]["name"], "StockDemo");
  EXPECT_EQ(report["completed"], false);
  ASSERT_EQ(report["files"].size(), 3u);
  EXPECT_EQ(report["files"][1], (nlohmann::json{{"kind", "module"},
                                                {"name", "modStock"},
                                                {"location", (dir_ / "modStock.bas").string()},
                                                {"path", (dir_ / "modStock.bas").string()},
                                                {"outcome", "would-rewrite"},
                                                {"changes", true}}));
  const nlohmann::json& failed = report["files"][2];
  EXPECT_EQ(failed["outcome"], "failed");
  EXPECT_EQ(failed["failure"]["what"], "open");
  EXPECT_EQ(failed["failure"]["detail"], NoSuchFileWords());
  EXPECT_EQ(failed["failure"], report["failure"]);
}

TEST_F(CliModesTest, UsageErrorsAndFailuresOfACheck) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--check", "--print", "x.bas"},
        std::vector<std::string>{"--labels", "fr", Project()},
        std::vector<std::string>{"--report=xml", Project()},
        std::vector<std::string>{"--diff", "--report=json", Project()}})
    EXPECT_EQ(Run(args).Status, 2) << args[0] << " " << args[1];
  const std::string said = Run({"--labels", "fr", Project()}).Err;
  EXPECT_EQ(said.substr(0, said.find('\n')),
            "quillformer-cli: --labels: \"fr\" is not one of zh-CN, zh-TW, ja, en, auto");
  // A file that does not decode stops a check as it stops a run.
  dir_.Write("modStock.bas", "Attribute VB_Name = \"m\"\r\n' \x81\r\n");
  const CliRun diff = Run({"--diff", Project()});
  EXPECT_EQ(diff.Status, 4);
  EXPECT_EQ(diff.Err, "quillformer-cli: " + (dir_ / "modStock.bas").string() +
                          ":2: the bytes 0x81 do not decode in code page CP936 (byte offset 27 "
                          "in the file)\n");
}

// --labels en writes nothing a Western code page cannot hold: every byte
// above 0x7F is the module's own.
TEST_F(CliModesTest, EnglishLabelsInAWesternProject) {
  dir_.Write("w.bas", "Attribute VB_Name = \"m\"\r\nSub Gr\xF6\xDF"
                      "e(L\xE4"
                      "nge As Long)\r\nEnd Sub\r\n");
  dir_.Write("W.vbp", "Module=w; w.bas\r\n");
  const CliRun run = Run({"--encoding", "CP1252", "--labels", "en", (dir_ / "W.vbp").string()});
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Err, "");
  const std::string frame = "'" + std::string(66, '#');
  EXPECT_EQ(ReadBytes(dir_ / "w.bas"),
            Lines({"   Attribute VB_Name = \"m\"", "'Quillformer By Vendelmark", frame,
                   "'## Sub: Gr\xF6\xDF"
                   "e",
                   "'## Parameter: L\xE4"
                   "nge As Long",
                   frame,
                   "Sub Gr\xF6\xDF"
                   "e(L\xE4"
                   "nge As Long)",
                   "End Sub"}));
}

} // namespace
} // namespace qf::test

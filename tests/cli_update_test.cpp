// quillformer-cli --update (and --no-headers, --no-marker) as a real program:
// a tidy project comes back untouched, to the file's time, and an edited one
// is listed, shown and tidied again.

#include "tests/support/cli_runner.h"
#include "tests/support/system_facts.h"
#include "tests/support/temp_dir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

namespace qf::test {
namespace {

namespace fs = std::filesystem;

/// Every file below the folder with its stamp (identity, size, time) and bytes.
std::map<fs::path, std::pair<std::string, std::string>> Snapshot(const fs::path& folder) {
  std::map<fs::path, std::pair<std::string, std::string>> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file())
      files[entry.path()] = {FileStamp(entry.path()), ReadBytes(entry.path())};
  return files;
}

/// The report's lines that tell a file's outcome ("    ......").
std::vector<std::string> Outcomes(const std::string& report) {
  std::vector<std::string> outcomes;
  for (std::size_t at = 0; (at = report.find("    ......", at)) != std::string::npos;) {
    const std::size_t end = report.find('\n', at);
    outcomes.push_back(report.substr(at + 10, end - at - 10));
    at = end;
  }
  return outcomes;
}

class CliUpdateTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (const auto& entry : fs::directory_iterator(QF_EXAMPLES_DIR "/demo"))
      fs::copy_file(entry.path(), dir_ / entry.path().filename().string());
  }
  CliRun Run(std::vector<std::string> args) {
    args.push_back(Project());
    return RunCli(args, scratch_.Path());
  }
  std::string Project() const { return (dir_ / "Demo.vbp").string(); }

  /// Runs `args` on a tidy project: it changes nothing, not a file's time,
  /// and reports every file as already tidy.
  void ExpectTidy(const std::vector<std::string>& args) {
    const auto before = Snapshot(dir_.Path());
    const CliRun run = Run(args);
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(Outcomes(run.Out), std::vector<std::string>(5, "已经整齐，没有改动")) << run.Out;
    EXPECT_EQ(Snapshot(dir_.Path()), before);
  }

  TempDir dir_;
  TempDir scratch_;
};

TEST_F(CliUpdateTest, AnEditedSubIsListedShownAndTidiedAgain) {
  ASSERT_EQ(Run({}).Status, 0);
  // Read-only and tidy: left alone by an update and its check, not refused.
  const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  fs::permissions(dir_ / "modStock.bas", write, fs::perm_options::remove);
  ExpectTidy({"--update"});
  const CliRun check = Run({"--update", "--check"});
  EXPECT_EQ(check.Status, 0) << check.Err;
  EXPECT_EQ(check.Out, "");
  fs::permissions(dir_ / "modStock.bas", fs::perms::owner_write, fs::perm_options::add);

  const fs::path module = dir_ / "modStock.bas";
  const std::string tidy = ReadBytes(module);
  std::string edited = tidy;
  const std::string dim = "    Dim i As Long\r\n";
  edited.insert(edited.find(dim) + dim.size(), "If i = 0 Then\r\ni = 1\r\nEnd If\r\n");
  dir_.Write("modStock.bas", edited);

  EXPECT_EQ(Run({"--check"}).Out, "") << "without --update a marked file is tidy";
  const CliRun listed = Run({"--update", "--check"});
  EXPECT_EQ(listed.Status, 1);
  EXPECT_EQ(listed.Out, module.string() + "\n");
  const CliRun diff = Run({"--update", "--diff"});
  EXPECT_EQ(diff.Status, 1);
  EXPECT_NE(diff.Out.find("-If i = 0 Then\n+    If i = 0 Then\n-i = 1\n+        i = 1\n"),
            std::string::npos)
      << diff.Out;
  const CliRun json = Run({"--update", "--dry-run", "--report=json"});
  const nlohmann::json file = nlohmann::json::parse(json.Out)["files"][1];
  EXPECT_EQ(file["outcome"], "would-update");
  EXPECT_EQ(file["blocks"]["unchanged"], 3);

  const CliRun update = Run({"--update"});
  EXPECT_EQ(update.Status, 0) << update.Err;
  EXPECT_EQ(Outcomes(update.Out)[1], "重新整理完成：重建注释块 0 个，新增 0 个");
  std::string expected = tidy;
  expected.insert(expected.find(dim) + dim.size(),
                  "    If i = 0 Then\r\n        i = 1\r\n    End If\r\n");
  EXPECT_EQ(ReadBytes(module), expected);
  ExpectTidy({"--update"});
}

// A block a person added a line to stays theirs, and the report says so.
TEST_F(CliUpdateTest, ABlockAPersonChangedIsKeptAndTold) {
  ASSERT_EQ(Run({}).Status, 0);
  const fs::path module = dir_ / "modStock.bas";
  std::string edited = ReadBytes(module);
  const std::string frame = "'" + std::string(66, '#') + "\r\nPublic Sub LoadItems";
  edited.insert(edited.find(frame), "'## keep in step with SaveItems\r\n");
  dir_.Write("modStock.bas", edited);
  const CliRun update = Run({"--update"});
  EXPECT_EQ(Outcomes(update.Out)[1], "已经整齐，没有改动；1 个注释块经人修改，原样保留");
  EXPECT_EQ(ReadBytes(module), edited);
  const CliRun json = Run({"--update", "--report=json"});
  EXPECT_EQ(nlohmann::json::parse(json.Out)["files"][1]["blocks"]["kept"], 1);
}

// Source files named by themselves, and a folder, get the verdicts of the
// project that lists them, never tidied, tidy and edited; a missing one
// stops the run, named.
TEST_F(CliUpdateTest, FilesAndAFolderGetTheProjectsVerdicts) {
  std::vector<std::string> files;
  for (const char* name :
       {"modStock.bas", "frmMain.frm", "clsItem.cls", "ctlGauge.ctl", "pgGauge.pag"})
    files.push_back((dir_ / name).string());
  const auto expectSame = [&](int status) {
    const CliRun project = Run({"--update", "--check"});
    EXPECT_EQ(project.Status, status) << project.Err;
    for (const std::vector<std::string>& named : {files, {dir_.Path().string()}}) {
      std::vector<std::string> args{"--update", "--check"};
      args.insert(args.end(), named.begin(), named.end());
      const CliRun run = RunCli(args, scratch_.Path());
      EXPECT_EQ(run.Status, status) << run.Err;
      EXPECT_EQ(run.Out, project.Out);
    }
  };
  expectSame(1);
  ASSERT_EQ(Run({}).Status, 0);
  expectSame(0);
  std::string edited = ReadBytes(dir_ / "modStock.bas");
  edited.insert(edited.find("    Dim i As Long"), "If i = 0 Then\r\nEnd If\r\n");
  dir_.Write("modStock.bas", edited);
  expectSame(1);

  const std::string gone = (dir_ / "gone.bas").string();
  const CliRun missing = RunCli({"--update", files[0], gone}, scratch_.Path());
  EXPECT_EQ(missing.Status, 1);
  EXPECT_EQ(missing.Err,
            "quillformer-cli: " + gone + ": cannot open for reading: " + NoSuchFileWords() + "\n");
}

// The hooks of .pre-commit-hooks.yaml, each entry run as the framework runs
// it: in a git repository's top folder, on the names of the staged files
// that match the hook's pattern.
TEST_F(CliUpdateTest, ThePreCommitHooksCheckAndTidy) {
  std::vector<std::vector<std::string>> entries;
  const std::string hooks = ReadBytes(QF_EXAMPLES_DIR "/../.pre-commit-hooks.yaml");
  for (std::size_t at = 0; (at = hooks.find("entry: quillformer-cli", at)) != std::string::npos;) {
    std::istringstream words(hooks.substr(at + 22, hooks.find('\n', at) - at - 22));
    entries.emplace_back(std::istream_iterator<std::string>(words),
                         std::istream_iterator<std::string>());
    at += 22;
  }
  ASSERT_EQ(entries.size(), 2u) << hooks;
  EXPECT_EQ(hooks.find("pass_filenames: false"), std::string::npos)
      << "the hooks take the changed files' names";
  const std::string pattern = R"(files: (?i)\.(bas|cls|frm|ctl|pag)$)";
  ASSERT_NE(hooks.find(pattern), std::string::npos) << hooks;

  const fs::path home = fs::current_path();
  fs::current_path(dir_.Path());
  const auto git = [](const std::string& command) {
    return std::system(
        ("git -c user.name=t -c user.email=t@t " + command + " >/dev/null 2>&1").c_str());
  };
  if (git("init -q .") != 0) {
    fs::current_path(home);
    GTEST_SKIP() << "no git here";
  }
  // What the framework passes: the staged names that match, from the top.
  const auto staged = [&](const std::vector<std::string>& entry) {
    EXPECT_EQ(git("add -A"), 0);
    std::vector<std::string> args = entry;
    const int listed = std::system("git diff --cached --name-only > staged.txt");
    EXPECT_EQ(listed, 0);
    std::istringstream lines(ReadBytes(dir_ / "staged.txt"));
    fs::remove(dir_ / "staged.txt");
    for (std::string name; std::getline(lines, name);)
      if (std::regex_search(name, std::regex(R"(\.(bas|cls|frm|ctl|pag)$)", std::regex::icase)))
        args.push_back(name);
    return RunCli(args, scratch_.Path()).Status;
  };
  EXPECT_EQ(staged(entries[0]), 1) << "files never tidied fail the check";
  EXPECT_EQ(staged(entries[1]), 0);
  EXPECT_EQ(git("commit -q -m tidy"), 0);
  std::string edited = ReadBytes(dir_ / "modStock.bas");
  edited.insert(edited.find("    Dim i As Long"), "If i = 0 Then\r\nEnd If\r\n");
  dir_.Write("modStock.bas", edited);
  EXPECT_EQ(staged(entries[0]), 1);
  EXPECT_EQ(staged(entries[1]), 0);
  EXPECT_EQ(staged(entries[0]), 0);
  fs::current_path(home);
}

TEST_F(CliUpdateTest, ASecondRunWithoutBlocksOrMarkerChangesNothing) {
  for (const auto& options : {std::vector<std::string>{"--no-marker"},
                              std::vector<std::string>{"--no-headers", "--no-marker"}}) {
    for (const auto& entry : fs::directory_iterator(QF_EXAMPLES_DIR "/demo"))
      fs::copy_file(entry.path(), dir_ / entry.path().filename().string(),
                    fs::copy_options::overwrite_existing);
    ASSERT_EQ(Run(options).Status, 0);
    EXPECT_EQ(ReadBytes(dir_ / "modStock.bas").find("'Quillformer"), std::string::npos);
    ExpectTidy(options);
  }
  const CliRun blockless = Run({"--no-headers", "--update"});
  EXPECT_EQ(blockless.Status, 0) << blockless.Err;
  ExpectTidy({"--no-headers", "--update"});
}

#ifdef QF_GEN_PROJECT_PATH
TEST(CliUpdateGeneratedTest, AnUpdateAfterAFirstRunOfAGeneratedProjectChangesNoByte) {
  TempDir dir;
  TempDir scratch;
  const fs::path folder = dir / "big";
  ASSERT_EQ(std::system(
                ("\"" QF_GEN_PROJECT_PATH "\" \"" + folder.string() + "\" 300 >/dev/null").c_str()),
            0);
  const std::string project = (folder / "Big.vbp").string();
  ASSERT_EQ(RunCli({project}, scratch.Path()).Status, 0);
  const auto before = Snapshot(folder);
  const CliRun check = RunCli({"--update", "--check", project}, scratch.Path());
  EXPECT_EQ(check.Status, 0);
  EXPECT_EQ(check.Out, "");
  const CliRun update = RunCli({"--update", project}, scratch.Path());
  EXPECT_EQ(update.Status, 0) << update.Err;
  EXPECT_EQ(Outcomes(update.Out), std::vector<std::string>(300, "已经整齐，没有改动"));
  EXPECT_EQ(Snapshot(folder), before);
}
#endif

} // namespace
} // namespace qf::test

// A project made to harm whoever tidies it, on POSIX: what stands at the
// temporary path, a link swapped while the run looks, files of other users
// and read-only files, and two names of one file.

#include "cli/cli_app.h"
#include "tests/rewrite_test_support.h"
#include "tests/support/cli_runner.h"
#include "tests/support/temp_dir.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace qf::test {
namespace {

namespace fs = std::filesystem;

struct Stat {
  std::string Bytes;
  unsigned Mode = 0;
  bool operator==(const Stat&) const = default;
};

/// A file's bytes and mode, links not followed at the last step.
Stat StatOf(const fs::path& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return {ReadBytes(path), static_cast<unsigned>(info.st_mode & 07777)};
}

/// What a run gave.
struct Result {
  int Status = -1;
  std::string Out;
  std::string Err;
};

class HostileProjectTest : public ::testing::Test {
protected:
  void SetUp() override {
    dir_.Write("m.bas", kModule);
    dir_.Write("a.vbp", "Module=M; m.bas\r\n");
  }

  Result Run(std::vector<std::string> args) {
    args.push_back((dir_ / "a.vbp").string());
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::RunCli(args, out, err, RealFileSystem());
    return {status, out.str(), err.str()};
  }

  const std::string kModule = Lines({"Attribute VB_Name = \"M\"", "Sub Go()", "x = 1", "End Sub"});
  TempDir dir_;
};

// Whatever a project ships at the temporary path is removed, never
// followed, emptied or given the module's mode: the module is rewritten and
// the file the plant points at keeps its bytes and mode. A folder there is
// refused; a module that needs no rewrite never looks at it.
TEST_F(HostileProjectTest, WhatStandsAtTheTemporaryPathIsNeverFollowed) {
  const fs::path victim = dir_.Write("victim.txt", "the user's own file\n");
  ::chmod(victim.c_str(), 0640);
  const Stat before = StatOf(victim);
  const Stat null = StatOf("/dev/null");
  const fs::path plant = dir_ / "m.bastmp";
  const std::vector<std::pair<std::string, std::function<void()>>> plants = {
      {"a symbolic link", [&] { fs::create_symlink(victim, plant); }},
      {"a hard link", [&] { fs::create_hard_link(victim, plant); }},
      {"a link that leads nowhere", [&] { fs::create_symlink(dir_ / "made.sh", plant); }},
      {"a link to /dev/null", [&] { fs::create_symlink("/dev/null", plant); }},
      {"a FIFO", [&] { ASSERT_EQ(::mkfifo(plant.c_str(), 0600), 0); }},
  };
  for (const auto& [what, make] : plants) {
    SCOPED_TRACE(what);
    dir_.Write("m.bas", kModule);
    make();
    const Result run = Run({});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(ReadBytes(dir_ / "m.bas"), Rewrite(kModule).Text);
    EXPECT_FALSE(fs::exists(fs::symlink_status(plant)));
    EXPECT_EQ(StatOf(victim), before);
    EXPECT_EQ(StatOf("/dev/null").Mode, null.Mode);
    EXPECT_FALSE(fs::exists(dir_ / "made.sh"));
  }

  dir_.Write("m.bas", kModule);
  fs::create_directory(plant);
  const Result refused = Run({});
  EXPECT_EQ(refused.Status, 1);
  EXPECT_EQ(refused.Err, "quillformer-cli: " + plant.string() +
                             ": cannot create: a folder stands where the rewrite's temporary file "
                             "goes (remove it to have the file rewritten)\n");
  EXPECT_EQ(ReadBytes(dir_ / "m.bas"), kModule);
  dir_.Write("m.bas", Rewrite(kModule).Text);
  EXPECT_EQ(Run({}).Status, 0) << "a processed module needs no temporary file";
}

// A link swapped between the checks and the read would bring a foreign
// file's text into the module. The run decides from the file it opened:
// however the link turns, no byte of the secret reaches the module.
TEST_F(HostileProjectTest, ASwappedLinkNeverBringsAForeignFileIn) {
  const std::string secret = "Attribute VB_Name = \"SECRET\"\r\nDim SECRET\r\n";
  dir_.Write("secret.txt", secret);
  dir_.Write("real.bas", kModule);
  fs::remove(dir_ / "m.bas");
  fs::create_symlink("real.bas", dir_ / "to-real");
  fs::create_symlink("secret.txt", dir_ / "to-secret");
  fs::create_symlink("real.bas", dir_ / "m.bas");
  std::atomic<bool> done = false;
  std::thread swapper([&] {
    // Each rename puts the other link in place in one step.
    for (bool secretNext = true; !done; secretNext = !secretNext) {
      fs::copy_symlink(dir_ / (secretNext ? "to-secret" : "to-real"), dir_ / "next");
      fs::rename(dir_ / "next", dir_ / "m.bas");
    }
  });
  int rewritten = 0;
  for (int run = 0; run < 2000; ++run) {
    dir_.Write("real.bas", kModule);
    const Result result = Run({});
    const std::string module = ReadBytes(dir_ / "real.bas");
    ASSERT_EQ(module.find("SECRET"), std::string::npos) << "run " << run << ": " << result.Err;
    ASSERT_TRUE(module == kModule || module == Rewrite(kModule).Text) << "run " << run;
    rewritten += module != kModule;
  }
  done = true;
  swapper.join();
  EXPECT_EQ(ReadBytes(dir_ / "secret.txt"), secret);
  EXPECT_GT(rewritten, 0) << "the link never led to the module";
  std::printf("2000 runs beside a swapping link: %d rewrote the module\n", rewritten);
}

// A file its owner may not write is refused, whoever runs the tool. The
// rewrite keeps the owner and group where the system allows it (root
// may); where it does not, the file is refused before anything is written.
TEST_F(HostileProjectTest, ReadOnlyFilesAndFilesOfOthers) {
  ::chmod((dir_ / "m.bas").c_str(), 0444);
  const Result readOnly = Run({});
  EXPECT_EQ(readOnly.Status, 1);
  EXPECT_EQ(readOnly.Err, "quillformer-cli: " + (dir_ / "m.bas").string() +
                              ": it is read-only; a read-only file is not replaced (make it "
                              "writable to have it rewritten)\n");
  EXPECT_EQ(ReadBytes(dir_ / "m.bas"), kModule);
  EXPECT_EQ(Run({"--check"}).Status, 4) << "a check finds what a run would refuse";

  if (::geteuid() != 0)
    GTEST_SKIP() << "only root can give a file to another user";
  ::chmod((dir_ / "m.bas").c_str(), 0644);
  ASSERT_EQ(::chown((dir_ / "m.bas").c_str(), 4242, 4343), 0);
  ASSERT_EQ(Run({}).Status, 0);
  struct stat info {};
  ::stat((dir_ / "m.bas").c_str(), &info);
  EXPECT_EQ(info.st_uid, 4242u) << "root keeps the user's file the user's";
  EXPECT_EQ(info.st_gid, 4343u);

  // Another user (nobody) in a folder of theirs, with a module of 4242's.
  dir_.Write("m.bas", kModule);
  ASSERT_EQ(::chown((dir_ / "m.bas").c_str(), 4242, 4343), 0);
  ASSERT_EQ(::chown(dir_.Path().c_str(), 65534, 65534), 0);
  const TempDir scratch;
  const std::string command = "setpriv --reuid=65534 --regid=65534 --clear-groups " +
                              std::string(QF_CLI_PATH) + " '" + (dir_ / "a.vbp").string() +
                              "' >/dev/null 2>'" + (scratch / "err").string() + "'";
  const int status = std::system(command.c_str());
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(ReadBytes(scratch / "err"),
            "quillformer-cli: " + (dir_ / "m.bas").string() +
                ": it belongs to another user or group, which a rewrite could not "
                "keep; it is not replaced (run as its owner to have it rewritten)\n");
  EXPECT_EQ(ReadBytes(dir_ / "m.bas"), kModule);
  ::chown(dir_.Path().c_str(), 0, 0);
}

// One file reached through a linked folder is one file: a run that only
// looks tells it, and lists or shows it, once.
TEST_F(HostileProjectTest, OneFileUnderTwoNamesIsOneFile) {
  fs::create_directory(dir_ / "real");
  dir_.Write("real/m.bas", kModule);
  fs::create_directory_symlink("real", dir_ / "linked");
  dir_.Write("a.vbp", "Module=A; real\\m.bas\r\nModule=B; linked\\m.bas\r\n");
  const Result check = Run({"--check"});
  EXPECT_EQ(check.Status, 1);
  EXPECT_EQ(check.Out, dir_.Path().string() + "/real\\m.bas\n");
  const Result diff = Run({"--diff"});
  EXPECT_EQ(diff.Out.find("diff --git"), diff.Out.rfind("diff --git")) << diff.Out;
  const Result dryRun = Run({"--dry-run"});
  EXPECT_TRUE(dryRun.Out.ends_with("    ......已经被处理过，不能继续处理\n"
                                   "类模块对象\n用户控件单元\n属性页单元\n"))
      << dryRun.Out;
}

} // namespace
} // namespace qf::test

// The command line killed (SIGKILL; on Windows, TerminateProcess) at random
// moments while it rewrites
// a project of several hundred files: after every kill each file holds its
// original bytes or its complete rewrite, and a final run leaves exactly
// the bytes of an uninterrupted run.
//
// QF_CRASH_KILLS sets the number of kills (40 by default); fuzz/crash-soak
// runs it for as long as asked.

#include "tests/rewrite_test_support.h"
#include "tests/support/cli_process.h"
#include "tests/support/temp_dir.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <thread>

namespace qf::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kFiles = 300;

/// The number of kills: QF_CRASH_KILLS, or 40.
int Kills() {
  const char* text = std::getenv("QF_CRASH_KILLS");
  const int kills = text != nullptr ? std::atoi(text) : 0;
  return kills > 0 ? kills : 40;
}

/// A module of its own size and shape, so that files take different times.
std::string Module(int n) {
  std::string text = "Attribute VB_Name = \"m" + std::to_string(n) + "\"\r\nOption Explicit\r\n";
  for (int p = 0; p < 1 + n % 7; ++p) {
    text += "Public Function F" + std::to_string(p) +
            "(ByVal a As Long, _\r\n  b As String) As Long\r\n";
    for (int line = 0; line < 20 * (1 + n % 5); ++line)
      text += line % 4 == 0 ? "If a > " + std::to_string(line) + " Then\r\nb = \"x\"\r\nEnd If\r\n"
                            : "  a = a + " + std::to_string(line) + "\r\n";
    text += "End Function\r\n";
  }
  return text;
}

class CrashConsistencyTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::string project;
    for (int n = 0; n < kFiles; ++n) {
      const std::string name = "m" + std::to_string(n) + ".bas";
      project += "Module=m" + std::to_string(n) + "; " + name + "\r\n";
      originals_[name] = Module(n);
      rewrites_[name] = Rewrite(originals_[name]).Text;
    }
    for (const TempDir* dir : {&work_, &reference_}) {
      dir->Write("Big.vbp", project);
      for (const auto& [name, text] : originals_)
        dir->Write(name, text);
    }
  }

  /// Counts the files that are neither original nor completely rewritten.
  int Broken() {
    int broken = 0;
    for (const auto& [name, original] : originals_) {
      if (!fs::exists(work_ / name)) {
        ADD_FAILURE() << name << " is missing";
        ++broken;
        continue;
      }
      const std::string now = ReadBytes(work_ / name);
      if (now != original && now != rewrites_.at(name)) {
        ADD_FAILURE() << name << " is partial (" << now.size() << " bytes)";
        ++broken;
      }
    }
    return broken;
  }

  std::map<std::string, std::string> originals_;
  std::map<std::string, std::string> rewrites_;
  TempDir work_;
  TempDir reference_;
};

TEST_F(CrashConsistencyTest, KilledRunsLoseNothing) {
  // The program started once before, so that the timed run below is not
  // stretched by a first start (wine maps the program in for the first
  // time): the kill moments are drawn from its duration.
  CliProcess warm({"--version"});
  ASSERT_TRUE(warm.Started());
  ASSERT_EQ(warm.Wait().Status, 0);
  // An uninterrupted run, to know its bytes and how long it takes.
  const Clock::time_point started = Clock::now();
  CliProcess whole({(reference_ / "Big.vbp").string()});
  ASSERT_TRUE(whole.Started());
  ASSERT_EQ(whole.Wait().Status, 0);
  const auto duration =
      std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - started);

  const auto seed = static_cast<unsigned>(::testing::UnitTest::GetInstance()->random_seed());
  std::mt19937 random(seed);
  int kills = 0;
  int checked = 0;
  int broken = 0;
  const int rounds = Kills();
  for (int round = 0; round < rounds; ++round) {
    CliProcess run({(work_ / "Big.vbp").string()});
    ASSERT_TRUE(run.Started());
    const auto moment = std::chrono::microseconds(random() % (duration.count() * 3 / 4 + 1));
    std::this_thread::sleep_for(moment);
    run.Kill();
    const CliProcess::End end = run.Wait();
    broken += Broken();
    checked += kFiles;
    if (end.Killed) {
      ++kills; // killed while it worked: the next run goes on from here
    } else {
      for (const auto& [name, text] : originals_) // it finished: start again
        work_.Write(name, text);
    }
  }
  CliProcess last({(work_ / "Big.vbp").string()});
  ASSERT_TRUE(last.Started());
  ASSERT_EQ(last.Wait().Status, 0);
  for (const auto& [name, original] : originals_)
    EXPECT_EQ(ReadBytes(work_ / name), ReadBytes(reference_ / name)) << name;
  for (const auto& entry : fs::directory_iterator(work_.Path()))
    EXPECT_FALSE(entry.path().string().ends_with("tmp")) << entry.path();
  EXPECT_EQ(broken, 0);
  EXPECT_GT(kills, rounds / 2) << "most runs must be killed while they work";
  RecordProperty("kills", kills);
  RecordProperty("files_checked", checked);
  std::printf("crash consistency: seed %u, %d kills, %d files checked, %d partial or missing, "
              "uninterrupted run %lld us\n",
              seed, kills, checked, broken, static_cast<long long>(duration.count()));
}

} // namespace
} // namespace qf::test

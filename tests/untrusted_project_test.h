#pragma once

// The fixture of the untrusted-project tests: those of every system
// (untrusted_project_test.cpp) and those of one (untrusted_project_posix_test.cpp,
// untrusted_project_windows_test.cpp).

#include "tests/rewrite_test_support.h"
#include "tests/support/cli_runner.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace qf::test {

class UntrustedProjectTest : public ::testing::Test {
protected:
  /// Runs a project of `entry` followed by a module that must stay as it is.
  CliRun RunWith(const std::string& entry) {
    dir_.Write("last.bas", kModule);
    dir_.Write("P.vbp", entry + "\r\nModule=last; last.bas\r\n");
    return RunCli({(dir_ / "P.vbp").string()}, scratch_.Path());
  }

  void ExpectStopped(const CliRun& run, const std::string& cause) {
    EXPECT_EQ(run.Status, 1) << run.Err;
    EXPECT_EQ(run.Err, "quillformer-cli: " + cause + "\n");
    EXPECT_EQ(ReadBytes(dir_ / "last.bas"), kModule) << "nothing after the failure is touched";
    for (const auto& entry : std::filesystem::directory_iterator(dir_.Path()))
      EXPECT_FALSE(entry.path().string().ends_with("tmp")) << entry.path();
  }

  const std::string kModule = Lines({"Attribute VB_Name = \"m\"", "Sub Go()", "End Sub"});
  TempDir dir_;
  TempDir scratch_;
};

/// Writes a source of one line of 100 MB at `path`.
inline void WriteHugeModule(const std::filesystem::path& path) {
  std::ofstream file(path, std::ios::binary);
  const std::string chunk(1 << 20, 'x');
  file << "Attribute VB_Name = \"huge\"\r\n' ";
  for (int i = 0; i < 100; ++i)
    file << chunk;
}

} // namespace qf::test

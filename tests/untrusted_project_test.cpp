// A project from someone else lists paths the tool must not read without
// end, wait on, or rewrite: each stops the run with its message, exit 1,
// and nothing outside the listed sources is touched.

#include "tests/rewrite_test_support.h"
#include "tests/support/cli_runner.h"
#include "tests/support/temp_dir.h"
#include "text/byte_stream.h"

#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace qf::test {
namespace {

namespace fs = std::filesystem;

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
    for (const auto& entry : fs::directory_iterator(dir_.Path()))
      EXPECT_FALSE(entry.path().string().ends_with("tmp")) << entry.path();
  }

  const std::string kModule = Lines({"Attribute VB_Name = \"m\"", "Sub Go()", "End Sub"});
  TempDir dir_;
  TempDir scratch_;
};

TEST_F(UntrustedProjectTest, AFifoASocketOrAFolderIsNoFile) {
  const std::string fifo = (dir_ / "pipe.bas").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // Nobody writes the FIFO: a read would wait for ever.
  ExpectStopped(RunWith("Module=pipe; pipe.bas"),
                fifo + ": cannot open for reading: it is a FIFO, not a regular file");

  const std::string socketPath = (dir_ / "s.bas").string();
  const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(server, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  ExpectStopped(RunWith("Module=s; s.bas"),
                socketPath + ": cannot open for reading: it is a socket, not a regular file");
  ::close(server);

  fs::create_directories(dir_ / "folder.frm");
  ExpectStopped(RunWith("Form=folder.frm"),
                (dir_ / "folder.frm").string() + ": cannot open for reading: it is a directory");
  EXPECT_TRUE(fs::is_fifo(fifo) && fs::is_socket(socketPath));
}

// A device is reached only through a name that carries the kind's extension;
// the check on the opened file is the same for every reader.
TEST_F(UntrustedProjectTest, ADeviceIsRefusedBeforeAnyRead) {
  try {
    FileSource source("/dev/zero");
    FAIL() << "a device was opened";
  } catch (const FailureError& error) {
    EXPECT_STREQ(
        error.what(),
        "/dev/zero: cannot open for reading: it is a character device, not a regular file");
  }
}

TEST_F(UntrustedProjectTest, OnlyAFileOfTheEntrysOwnKindIsRewritten) {
  const std::string profile = "export PATH=$PATH:~/bin\n";
  dir_.Write("profile", profile);
  ExpectStopped(RunWith("Module=x; profile"),
                (dir_ / "profile").string() +
                    ": not rewritten: listed as Module \"x\", it must be a .bas file");
  // A link named like a module to a file that is not one.
  fs::create_symlink("profile", dir_ / "Util.bas");
  ExpectStopped(RunWith("Module=Util; Util.bas"),
                (dir_ / "profile").string() +
                    ": not rewritten: listed as Module \"Util\", it must be a .bas file");
  ExpectStopped(RunWith("Form=frmA.bas"), (dir_ / "frmA.bas").string() +
                                              ": not rewritten: listed as Form, it must be a "
                                              ".frm file");
  EXPECT_EQ(ReadBytes(dir_ / "profile"), profile);
  // The extension's letter case does not matter.
  dir_.Write("UPPER.BAS", kModule);
  EXPECT_EQ(RunWith("Module=u; UPPER.BAS").Status, 0);
}

/// A source of one line of 100 MB.
void WriteHugeModule(const fs::path& path) {
  std::ofstream file(path, std::ios::binary);
  const std::string chunk(1 << 20, 'x');
  file << "Attribute VB_Name = \"huge\"\r\n' ";
  for (int i = 0; i < 100; ++i)
    file << chunk;
}

// One endless line (a 100 MB source, or a device behind a .bas name) stops
// at 64 MiB.
TEST_F(UntrustedProjectTest, ALineLongerThan64MiBStopsTheRun) {
  WriteHugeModule(dir_ / "huge.bas");
  ExpectStopped(RunWith("Module=huge; huge.bas"),
                (dir_ / "huge.bas").string() +
                    ":2: the line is longer than 64 MiB (VB6 writes at most 1,023 "
                    "characters a line)");
  EXPECT_EQ(fs::file_size(dir_ / "huge.bas"), 28u + 2u + (100u << 20));
}

// ...and memory stays bounded by that line.
TEST_F(UntrustedProjectTest, ALineLongerThan64MiBTakesBoundedMemory) {
  // A child's peak resident size counts, from its start, the peak of the
  // process that spawned it: only a lean test process can measure it (as
  // ctest runs each test in a process of its own).
  rusage self{};
  ::getrusage(RUSAGE_SELF, &self);
  if (self.ru_maxrss > 64 * 1024)
    GTEST_SKIP() << "this test process already peaked at " << self.ru_maxrss << " KiB";
  WriteHugeModule(dir_ / "huge.bas");
  dir_.Write("P.vbp", "Module=huge; huge.bas\r\n");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::string program = QF_CLI_PATH;
  std::string project = (dir_ / "P.vbp").string();
  char* argv[] = {program.data(), project.data(), nullptr};
  pid_t pid = -1;
  ASSERT_EQ(posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  rusage usage{};
  ASSERT_EQ(::wait4(pid, &status, 0, &usage), pid);
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_LT(usage.ru_maxrss, 300 * 1024) << "peak resident KiB of the command line";
  std::printf("peak resident size of a run over a 100 MB line: %ld KiB\n", usage.ru_maxrss);
}

} // namespace
} // namespace qf::test

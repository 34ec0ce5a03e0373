// Untrusted projects, what only POSIX has: FIFOs, sockets, devices under
// /dev, and a child's peak memory by getrusage. Windows has its own
// (untrusted_project_windows_test.cpp).

#include "io/byte_stream.h"
#include "tests/rewrite_test_support.h"
#include "tests/untrusted_project_test.h"

#include <fcntl.h>
#include <fstream>
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
  EXPECT_EQ(FailureText([] { FileSource source("/dev/zero"); }),
            "/dev/zero: cannot open for reading: it is a character device, not a regular file");
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

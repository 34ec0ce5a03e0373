// Untrusted projects, what only POSIX has: FIFOs, sockets, devices under
// /dev, a child's peak memory by getrusage, and file names that hold
// control characters. Windows has its own (untrusted_project_windows_test.cpp).

#include "io/byte_stream.h"
#include "tests/rewrite_test_support.h"
#include "tests/support/system_facts.h"
#include "tests/untrusted_project_test.h"

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <set>
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

/// The peak resident size, in KiB, of quillformer-cli run on `project`,
/// and its exit status; nothing when this process cannot measure it (a
/// child's peak counts, from its start, the peak of the process that
/// spawned it: only a lean test process can measure it, as ctest runs each
/// test in a process of its own).
std::optional<std::pair<long, int>> PeakOfRun(const fs::path& project) {
  rusage self{};
  ::getrusage(RUSAGE_SELF, &self);
  if (self.ru_maxrss > 64 * 1024)
    return std::nullopt;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::string program = QF_CLI_PATH;
  std::string path = project.string();
  char* argv[] = {program.data(), path.data(), nullptr};
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0)
    return std::nullopt;
  int status = 0;
  rusage usage{};
  if (::wait4(pid, &status, 0, &usage) != pid)
    return std::nullopt;
  return std::pair{usage.ru_maxrss, WEXITSTATUS(status)};
}

// ...and memory stays near that bound, for a line of 100 MB and for a
// header continued over six million lines alike: the line is refused
// where it passes the bound, and no copy of it is made on the way.
TEST_F(UntrustedProjectTest, ALineLongerThan64MiBTakesBoundedMemory) {
  WriteHugeModule(dir_ / "huge.bas");
  dir_.Write("Line.vbp", "Module=huge; huge.bas\r\n");
  {
    std::ofstream file(dir_ / "header.bas", std::ios::binary);
    file << "Attribute VB_Name = \"h\"\r\nSub A(p0 As Long, _\r\n";
    for (int i = 0; i < 6'000'000; ++i)
      file << "  p1 As Long, _\r\n";
    file << "  z As Long)\r\nEnd Sub\r\n";
  }
  dir_.Write("Header.vbp", "Module=h; header.bas\r\n");
  for (const char* project : {"Line.vbp", "Header.vbp"}) {
    const auto peak = PeakOfRun(dir_ / project);
    if (!peak)
      GTEST_SKIP() << "this test process is too large to measure a child's peak";
    EXPECT_EQ(peak->second, 1);
    EXPECT_LT(peak->first, (64 + 24) * 1024) << "peak resident KiB of the run over " << project;
    std::printf("peak resident size of a run over %s: %ld KiB\n", project, peak->first);
  }
}

/// Whether `text` holds nothing a terminal takes for a command: no C0
/// control but the line feeds that end its lines, no DEL, no C1 control.
::testing::AssertionResult NoControlCharacter(const std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const bool c1 = byte == 0xC2 && i + 1 < text.size() &&
                    (static_cast<unsigned char>(text[i + 1]) & 0xE0) == 0x80;
    if ((byte < 0x20 && byte != '\n') || byte == 0x7F || c1)
      return ::testing::AssertionFailure() << "byte " << i << " of:\n" << text;
  }
  return ::testing::AssertionSuccess();
}

// A project's values and the names of its files reach the report, --check
// and standard error with their control characters shown as \xNN: running
// the tool on a project cannot clear the screen, set the window's title,
// write the clipboard (OSC 52) or forge a line.
TEST_F(UntrustedProjectTest, ControlCharactersInNamesReachNoTerminal) {
  const std::string clipboard = "\x1b]52;c;ZWNobyBJTkpFQ1RFRA==\x07";
  const std::string clear = "\x1b[2J";
  dir_.Write("e" + clear + ".bas", kModule);
  // The link's target holds a line feed, a clear screen and a byte that is
  // not UTF-8; it is refused as no module, and the message names it.
  dir_.Write("t\n" + clear + "\xff", kModule);
  ASSERT_TRUE(MakeSymbolicLink("t\n" + clear + "\xff", dir_ / "link.bas"));
  const std::string csi = "\xc2\x9b"; // U+009B, a C1 control, in UTF-8
  const std::string project =
      dir_.Write("P" + clipboard + ".vbp",
                 Lines({"Type=" + csi + "2J", "Name=\"" + clipboard + "\"",
                        "VersionCompanyName=\"\x7f" + clear + "\"", "MajorVer=1\x1b[A",
                        "Startup=\"Sub\tMain\"", "Module=m" + clear + "; e" + clear + ".bas",
                        "Module=l; link.bas"}))
          .string();
  // Read in UTF-8, the project holds the C1 control.
  const CliRun check = RunCli({"--check", "--encoding", "UTF-8", project}, scratch_.Path());
  const CliRun detect = RunCli({"--encoding", "auto", "--dry-run", project}, scratch_.Path());
  const CliRun usage = RunCli({"--labels", clear, project}, scratch_.Path());
  const CliRun run = RunCli({"--encoding", "UTF-8", project}, scratch_.Path());
  for (const CliRun* output : {&run, &check, &detect, &usage}) {
    EXPECT_TRUE(NoControlCharacter(output->Out));
    EXPECT_TRUE(NoControlCharacter(output->Err));
  }
  EXPECT_TRUE(run.Out.starts_with("操作报告：\n    工程名称：\\x1b]52;c;ZWNobyBJTkpFQ1RFRA==\\x07\n"
                                  "    程序类型：\\x9b2J\n    公司名称：\\x7f\\x1b[2J\n"
                                  "    版 本 号：1\\x1b[A..\n    启动对象：Sub\\x09Main\n"))
      << run.Out;
  const std::string module = (dir_ / "e").string() + "\\x1b[2J.bas";
  EXPECT_NE(run.Out.find("\n    模块名称：m\\x1b[2J\n    模块位置：" + module + "\n"),
            std::string::npos)
      << run.Out;
  const std::string refused = "quillformer-cli: " + (dir_ / "t").string() +
                              "\\x0a\\x1b[2J\\xff: not rewritten: listed as Module \"l\", it "
                              "must be a .bas file\n";
  EXPECT_EQ(run.Err, refused);
  EXPECT_EQ(check.Out, module + "\n");
  EXPECT_EQ(check.Err, refused);
  EXPECT_TRUE(detect.Err.starts_with("quillformer-cli: " + (dir_ / "P").string() +
                                     "\\x1b]52;c;ZWNobyBJTkpFQ1RFRA==\\x07.vbp: code page "))
      << detect.Err;
  EXPECT_TRUE(usage.Err.starts_with("quillformer-cli: --labels: \"\\x1b[2J\" is not one of "))
      << usage.Err;
}

/// Every path under `folder`, relative to it.
std::set<std::string> Tree(const fs::path& folder) {
  std::set<std::string> paths;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    paths.insert(entry.path().lexically_relative(folder).string());
  return paths;
}

// A diff names a file whose name holds a line feed, a double quote or a
// backslash in double quotes with C's escapes, as git does: `patch -p1`
// changes exactly those files. Written as it is, the name below would make
// patch create hooks.sh with a line of the project's choosing.
TEST_F(UntrustedProjectTest, ADiffOfStrangeNamesPatchesOnlyItsOwnFiles) {
  ASSERT_EQ(std::system("patch --version >/dev/null 2>&1"), 0) << "needs GNU patch (Debian: patch)";
  // LF line ends (the diff does not show the change to CR LF) and English
  // labels: the files hold the diff's own bytes.
  const std::string module = "Attribute VB_Name = \"m\"\nSub Go()\nx = 1\nEnd Sub\n";
  const std::string injecting = "x\n+++ b/hooks.sh\n@@ -0,0 +1 @@\n+echo INJECTED\n/m.bas";
  const std::string quoting = "q\"u\\o.bas";
  dir_.Write("p/" + injecting, module);
  dir_.Write("p/" + quoting, module);
  if (!MakeSymbolicLink(injecting, dir_ / "p/a.bas") ||
      !MakeSymbolicLink(quoting, dir_ / "p/b.bas"))
    GTEST_SKIP() << "no symbolic links here";
  const std::string project =
      dir_.Write("p/P.vbp", "Module=a; a.bas\r\nModule=b; b.bas\r\n").string();
  const TempDir copy;
  fs::copy(dir_ / "p", copy.Path(), fs::copy_options::recursive | fs::copy_options::copy_symlinks);
  const std::set<std::string> before = Tree(copy.Path());

  const CliRun diff = RunCli({"--diff", "--labels", "en", project}, scratch_.Path());
  ASSERT_EQ(diff.Status, 1) << diff.Err;
  const std::string name = "x\\n+++ b/hooks.sh\\n@@ -0,0 +1 @@\\n+echo INJECTED\\n/m.bas";
  EXPECT_TRUE(diff.Out.starts_with("diff --git \"a/" + name + "\" \"b/" + name + "\"\n--- \"a/" +
                                   name + "\"\n+++ \"b/" + name + "\"\n@@ -1,4 +1,9 @@\n"))
      << diff.Out;
  EXPECT_NE(diff.Out.find("\ndiff --git \"a/q\\\"u\\\\o.bas\" \"b/q\\\"u\\\\o.bas\"\n--- "
                          "\"a/q\\\"u\\\\o.bas\"\n+++ \"b/q\\\"u\\\\o.bas\"\n"),
            std::string::npos)
      << diff.Out;
  const fs::path patch = scratch_.Path() / "names.diff";
  std::ofstream(patch, std::ios::binary) << diff.Out;
  const std::string command =
      "cd '" + copy.Path().string() + "' && patch -s -p1 <'" + patch.string() + "' >&2";
  ASSERT_EQ(std::system(command.c_str()), 0);

  ASSERT_EQ(RunCli({"--labels", "en", project}, scratch_.Path()).Status, 0);
  for (const std::string& file : {injecting, quoting}) {
    std::string rewrite = ReadBytes(dir_ / ("p/" + file));
    std::erase(rewrite, '\r');
    EXPECT_NE(rewrite, module);
    EXPECT_EQ(ReadBytes(copy.Path() / file), rewrite) << file;
  }
  EXPECT_EQ(Tree(copy.Path()), before) << "patch created or removed a file";
}

} // namespace
} // namespace qf::test

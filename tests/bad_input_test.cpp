// Bad input through the real command line body (in-process): each case
// ends in a clear message or a sound result, and nothing is lost.

#include "cli/cli_app.h"
#include "rewrite/rewrite_pass.h"
#include "tests/rewrite_test_support.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/forwarding_file_system.h"
#include "tests/support/system_facts.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace qf::test {
namespace {

namespace fs = std::filesystem;

class BadInputTest : public ::testing::Test {
protected:
  struct Result {
    int Status;
    std::string Out;
    std::string Err;
  };

  Result Run(const std::string& project, FileSystem& files = RealFileSystem()) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::RunCli({(dir_ / project).string()}, out, err, files);
    return {status, out.str(), err.str()};
  }

  /// No temporary file is left anywhere in the folder.
  void ExpectNoTemporaryFile() {
    for (const auto& entry : fs::recursive_directory_iterator(dir_.Path()))
      EXPECT_FALSE(entry.path().string().ends_with("tmp")) << entry.path();
  }

  const std::string kModule = Lines({"Attribute VB_Name = \"m\"", "Sub Go()", "x = 1", "End Sub"});
  TempDir dir_;
};

TEST_F(BadInputTest, AnEmptyOrBinaryProjectFile) {
  dir_.Write("Empty.vbp", "");
  const Result empty = Run("Empty.vbp");
  EXPECT_EQ(empty.Status, 0);
  EXPECT_EQ(std::count(empty.Out.begin(), empty.Out.end(), '\n'), 11);

  std::mt19937 random(7);
  std::string binary(64 * 1024, '\0');
  for (char& byte : binary)
    byte = static_cast<char>(random() % 256);
  dir_.Write("Binary.vbp", binary);
  const Result garbage = Run("Binary.vbp");
  EXPECT_EQ(garbage.Status, 0) << garbage.Err; // no line carries a key: nothing to do
  EXPECT_TRUE(garbage.Out.ends_with("属性页单元\n"));
  // The same bytes behind a key are named with their line and offset.
  dir_.Write("BadName.vbp", "Form=\x81\x7F.frm\r\n");
  const Result bad = Run("BadName.vbp");
  EXPECT_EQ(bad.Status, 1);
  EXPECT_EQ(bad.Out, "");
  EXPECT_EQ(bad.Err, "quillformer-cli: " + (dir_ / "BadName.vbp").string() +
                         ":1: the bytes 0x81 do not decode in code page CP936 (byte offset 5 in "
                         "the file)\n");
}

TEST_F(BadInputTest, HugeLinesInTheProjectAndInASource) {
  const std::string company(5 << 20, 'A');
  const std::string comment = "' " + std::string(10 << 20, 'x');
  dir_.Write("Big.vbp", "VersionCompanyName=\"" + company + "\"\r\nModule=m; m.bas\r\n");
  const std::string source = kModule + comment + "\r\n";
  dir_.Write("m.bas", source);
  const Result result = Run("Big.vbp");
  EXPECT_EQ(result.Status, 0) << result.Err;
  EXPECT_NE(result.Out.find("    公司名称：" + company + "\n"), std::string::npos);
  EXPECT_EQ(ReadBytes(dir_ / "m.bas"), Rewrite(source).Text);
  EXPECT_NE(ReadBytes(dir_ / "m.bas").find("    " + comment + "\r\n"), std::string::npos);
}

TEST_F(BadInputTest, NulBytesGoBackAsTheyCame) {
  const std::string nul("s = \"a\0b\"\0 ' \0", 15);
  dir_.Write("P.vbp", "Module=m; m.bas\r\n");
  dir_.Write("m.bas", kModule + nul + "\r\n");
  EXPECT_EQ(Run("P.vbp").Status, 0);
  EXPECT_NE(ReadBytes(dir_ / "m.bas").find("    " + nul + "\r\n"), std::string::npos);
}

// 40,000 nested If blocks leave the 16-bit range: the run stops cleanly on
// that file, which keeps its bytes.
TEST_F(BadInputTest, DeepNestingStopsTheRunCleanly) {
  std::string deep = Lines({"Attribute VB_Name = \"m\"", "Sub Go()"});
  for (int i = 0; i < 40000; ++i)
    deep += "If a Then\r\n";
  dir_.Write("Deep.vbp", "Module=m; m.bas\r\nModule=n; n.bas\r\n");
  dir_.Write("m.bas", deep);
  dir_.Write("n.bas", kModule);
  const Result result = Run("Deep.vbp");
  const std::string cause = (dir_ / "m.bas").string() +
                            ":8193: 16-bit overflow: 8192 * 4 leaves the range -32768 to 32767";
  EXPECT_EQ(result.Status, 1);
  EXPECT_TRUE(result.Out.ends_with("    ......处理中断：整数溢出：" + (dir_ / "m.bas").string() +
                                   " 第8193行（8192 * 4 超出 -32768 到 32767 的范围）\n"))
      << result.Out;
  EXPECT_EQ(result.Err, "quillformer-cli: " + cause + "\n");
  EXPECT_EQ(ReadBytes(dir_ / "m.bas"), deep);
  EXPECT_EQ(ReadBytes(dir_ / "n.bas"), kModule);
  ExpectNoTemporaryFile();
}

TEST_F(BadInputTest, ListedFoldersMissingFilesAndTheProjectItself) {
  fs::create_directories(dir_ / "Folder.bas");
  dir_.Write("m.bas", kModule);
  struct Case {
    std::string Line;
    std::string Path;
    std::string Cause;
  };
  for (const Case& c :
       {Case{"Module=f; Folder.bas", "Folder.bas", "cannot open for reading: it is a directory"},
        Case{"Module=g; Gone.bas", "Gone.bas", "cannot open for reading: " + NoSuchFileWords()},
        Case{"Module=p; Self.vbp", "Self.vbp",
             "it is the project file itself; it is not rewritten as a source "
             "file"}}) {
    // A project file that begins as a module does (its reader passes the
    // line over) is taken for the module it lists, and still refused.
    const std::string project =
        "Attribute VB_Name = \"p\"\r\n" + c.Line + "\r\nModule=m; m.bas\r\n";
    dir_.Write("Self.vbp", project);
    const Result result = Run("Self.vbp");
    EXPECT_EQ(result.Status, 1) << c.Line;
    EXPECT_EQ(result.Err, "quillformer-cli: " + (dir_ / c.Path).string() + ": " + c.Cause + "\n");
    EXPECT_EQ(ReadBytes(dir_ / "m.bas"), kModule) << "nothing after the failure is touched";
    EXPECT_EQ(ReadBytes(dir_ / "Self.vbp"), project);
  }
  ExpectNoTemporaryFile();
}

TEST_F(BadInputTest, UndecodableBytesLeaveTheFileAsItWas) {
  const std::string bad = kModule + "' \x81\r\n";
  dir_.Write("P.vbp", "Module=m; m.bas\r\n");
  dir_.Write("m.bas", bad);
  const Result result = Run("P.vbp");
  EXPECT_EQ(result.Status, 1);
  EXPECT_EQ(result.Err, "quillformer-cli: " + (dir_ / "m.bas").string() +
                            ":5: the bytes 0x81 do not decode in code page CP936 (byte offset "
                            "53 in the file)\n");
  EXPECT_EQ(ReadBytes(dir_ / "m.bas"), bad);
  ExpectNoTemporaryFile();
}

// The link's target is the file the user keeps: it is rewritten in place and
// the link stays a link.
TEST_F(BadInputTest, ASymbolicLinkHasItsTargetRewritten) {
  dir_.Write("shared/Common.bas", kModule);
  fs::create_directories(dir_ / "p");
  if (!MakeSymbolicLink("../shared/Common.bas", dir_ / "p/Common.bas"))
    GTEST_SKIP() << "no symbolic links here";
  dir_.Write("p/P.vbp", "Module=Common; Common.bas\r\n");
  const Result result = Run("p/P.vbp");
  EXPECT_EQ(result.Status, 0) << result.Err;
  EXPECT_TRUE(fs::is_symlink(dir_ / "p/Common.bas"));
  EXPECT_EQ(fs::read_symlink(dir_ / "p/Common.bas"), "../shared/Common.bas");
  EXPECT_EQ(ReadBytes(dir_ / "shared/Common.bas"), Rewrite(kModule).Text);
  ExpectNoTemporaryFile();
  // A link to nothing is a missing file.
  ASSERT_TRUE(MakeSymbolicLink("nowhere.bas", dir_ / "p/Dangling.bas"));
  dir_.Write("p/Q.vbp", "Module=D; Dangling.bas\r\n");
  EXPECT_EQ(Run("p/Q.vbp").Status, 1);
}

// Each file operation failing at each file, before it does its work or
// after (a write half done, a rename that took place): exit status 1, the
// report ends with the interruption line, every file is whole and no
// temporary file is left.
TEST_F(BadInputTest, EveryFailingFileOperationExitsWithOne) {
  dir_.Write("P.vbp", "Form=a.frm\r\nModule=b; b.bas\r\nClass=c; c.cls\r\n");
  const std::string original = kModule;
  for (const Moment moment : {Moment::Before, Moment::After})
    for (const FileOperation operation :
         {FileOperation::Open, FileOperation::Read, FileOperation::Create, FileOperation::Write,
          FileOperation::Sync, FileOperation::Close, FileOperation::Replace}) {
      for (int nth = 1; nth <= 8; ++nth) {
        SCOPED_TRACE(std::string(NameOf(operation)) + " #" + std::to_string(nth) +
                     (moment == Moment::After ? " after" : ""));
        for (const char* name : {"a.frm", "b.bas", "c.cls"})
          dir_.Write(name, original);
        FaultyFileSystem files;
        files.FailAt(operation, nth, moment);
        const Result result = Run("P.vbp", files);
        if (result.Status == 0)
          break; // fewer calls than nth: nothing failed
        EXPECT_EQ(result.Status, 1);
        EXPECT_NE(result.Err.find(InjectedFaultWords()), std::string::npos) << result.Err;
        if (!result.Out.empty()) {
          EXPECT_NE(result.Out.rfind("\n    ......处理中断："), std::string::npos);
        }
        for (const char* name : {"a.frm", "b.bas", "c.cls"}) {
          const std::string now = ReadBytes(dir_ / name);
          EXPECT_TRUE(now == original || now == Rewrite(original).Text) << name;
        }
        ExpectNoTemporaryFile();
      }
    }
}

// Running out of memory is a failure of the file in hand, told like any
// other: the report's interruption line, exit 1, or 4 for --check and
// --diff, which must not say "untidy" of what they could not look at.
TEST_F(BadInputTest, RunningOutOfMemoryIsAFailureOfTheFile) {
  dir_.Write("P.vbp", "Module=b; b.bas\r\n");
  for (const std::vector<std::string>& mode :
       {std::vector<std::string>{}, {"--check"}, {"--diff"}}) {
    dir_.Write("b.bas", kModule);
    FaultyFileSystem files;
    files.ExhaustMemoryAtRead(3); // the project file's reads were the first two
    std::vector<std::string> args = mode;
    args.push_back((dir_ / "P.vbp").string());
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::RunCli(args, out, err, files);
    EXPECT_EQ(status, mode.empty() ? 1 : 4);
    EXPECT_EQ(err.str(), "quillformer-cli: " + (dir_ / "b.bas").string() +
                             ": not enough memory to go on; the file is left as it is\n");
    if (mode.empty()) {
      EXPECT_TRUE(out.str().ends_with("    ......处理中断：内存不足：" + (dir_ / "b.bas").string() +
                                      "（文件未作改动）\n"))
          << out.str();
    }
    EXPECT_EQ(ReadBytes(dir_ / "b.bas"), kModule);
    ExpectNoTemporaryFile();
  }
}

} // namespace
} // namespace qf::test

namespace qf::test {
namespace {

/// The real file system, counting the calls that look at names.
class CountingFileSystem final : public ForwardingFileSystem {
public:
  std::unique_ptr<OpenedFile> OpenForReading(const std::filesystem::path& path) override {
    ++Calls;
    return ForwardingFileSystem::OpenForReading(path);
  }
  bool Exists(const std::filesystem::path& path) override {
    ++Calls;
    return ForwardingFileSystem::Exists(path);
  }
  std::vector<std::string> List(const std::filesystem::path& folder) override {
    ++Calls;
    return ForwardingFileSystem::List(folder);
  }
  std::optional<FileIdentity> Identity(const std::filesystem::path& path) override {
    ++Calls;
    return ForwardingFileSystem::Identity(path);
  }
  long Calls = 0;
};

// A group of ten thousand projects costs a few looks at the disk for each,
// not a look at every other one for each: telling a project named twice
// is a lookup of its identity.
TEST_F(BadInputTest, AGroupOfTenThousandProjectsCostsLinearWork) {
  constexpr int kProjects = 10000;
  std::string group = "VBGROUP 5.0\r\n";
  for (int i = 0; i < kProjects; ++i) {
    const std::string name = "p" + std::to_string(i) + ".vbp";
    dir_.Write(name, "Name=\"P\"\r\n");
    group += "Project=" + name + "\r\n";
  }
  group += "Project=p7.vbp\r\n"; // named again
  dir_.Write("All.vbg", group);
  CountingFileSystem files;
  std::ostringstream out;
  std::ostringstream err;
  ASSERT_EQ(cli::RunCli({"--check", (dir_ / "All.vbg").string()}, out, err, files), 0) << err.str();
  EXPECT_LT(files.Calls, 6L * kProjects) << "looks at the disk for " << kProjects << " projects";
}

} // namespace
} // namespace qf::test

// A project from someone else lists paths the tool must not read without
// end, wait on, or rewrite: each stops the run with its message, exit 1,
// and nothing outside the listed sources is touched.

//
// What only one system has is tested in untrusted_project_posix_test.cpp
// and untrusted_project_windows_test.cpp.

#include "tests/untrusted_project_test.h"

#include "tests/support/system_facts.h"

namespace qf::test {
namespace {

namespace fs = std::filesystem;

TEST_F(UntrustedProjectTest, OnlyAFileOfTheEntrysOwnKindIsRewritten) {
  const std::string profile = "export PATH=$PATH:~/bin\n";
  dir_.Write("profile", profile);
  ExpectStopped(RunWith("Module=x; profile"),
                (dir_ / "profile").string() +
                    ": not rewritten: listed as Module \"x\", it must be a .bas file");
  ExpectStopped(RunWith("Form=frmA.bas"), (dir_ / "frmA.bas").string() +
                                              ": not rewritten: listed as Form, it must be a "
                                              ".frm file");
  EXPECT_EQ(ReadBytes(dir_ / "profile"), profile);
  // The extension's letter case does not matter.
  dir_.Write("UPPER.BAS", kModule);
  EXPECT_EQ(RunWith("Module=u; UPPER.BAS").Status, 0);
}

TEST_F(UntrustedProjectTest, ALinkNamedLikeAModuleToAFileThatIsNotOne) {
  const std::string profile = "export PATH=$PATH:~/bin\n";
  dir_.Write("profile", profile);
  if (!MakeSymbolicLink("profile", dir_ / "Util.bas"))
    GTEST_SKIP() << "no symbolic links here";
  ExpectStopped(RunWith("Module=Util; Util.bas"),
                (dir_ / "profile").string() +
                    ": not rewritten: listed as Module \"Util\", it must be a .bas file");
  EXPECT_EQ(ReadBytes(dir_ / "profile"), profile);
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

} // namespace
} // namespace qf::test

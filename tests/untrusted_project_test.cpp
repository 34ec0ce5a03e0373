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
  // Under another extension, only a file that begins as VB6 writes its kind
  // is taken: a module naming the listed module, a form whose designer
  // follows its Object lines. One naming another module, or a class header
  // under a form's entry, is refused as before.
  dir_.Write("sim.log", Lines({"Attribute VB_Name = \"Kamera\"", "Sub Go()", "x = 1", "End Sub"}));
  dir_.Write("form.log", Lines({"VERSION 5.00", "Object = \"{831FDD16}#2.0#0\"; \"MSCOMCTL.OCX\"",
                                "Begin VB.Form frmA", "End"}));
  EXPECT_EQ(RunWith("Module=Kamera; sim.log\r\nForm=form.log").Status, 0);
  EXPECT_NE(ReadBytes(dir_ / "sim.log").find("    x = 1\r\n"), std::string::npos);
  dir_.Write("other.txt", kModule);
  ExpectStopped(RunWith("Module=Notes; other.txt"),
                (dir_ / "other.txt").string() +
                    ": not rewritten: listed as Module \"Notes\", it must be a .bas file");
  dir_.Write("class.txt", Lines({"VERSION 1.0 CLASS", "BEGIN", "END"}));
  ExpectStopped(RunWith("Form=class.txt"), (dir_ / "class.txt").string() +
                                               ": not rewritten: listed as Form, it must be a "
                                               ".frm file");
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

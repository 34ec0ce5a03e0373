#include "io/utf.h"
#include "processing/failure.h"
#include "processing/project_file.h"
#include "tests/rewrite_test_support.h"

#include <gtest/gtest.h>

namespace qf {
namespace {

ProjectContents Read(const std::string& bytes, std::string_view codePage = "CP936") {
  CodePage codes(codePage);
  MemorySource source(bytes);
  return ReadProjectFile(source, "Demo.vbp", codes, u"C:\\work\\demo\\");
}

std::string ReadError(const std::string& bytes) {
  return test::FailureText([&] { Read(bytes); });
}

using test::Lines;

TEST(ProjectFileTest, ReadsPropertiesAndTheFiveListsInOrder) {
  const ProjectContents project = Read(Lines(
      {"Type=Exe", "Form=frmMain.frm", "Module=modMain; modMain.bas",
       "Class=clsData; ..\\shared\\clsData.cls", "UserControl=ctlA.ctl", "PropertyPage=pgA.pag",
       "Form=frmAbout.frm", "Startup=\"frmMain\"", "Name=\"Demo\"", "MajorVer=1", "MinorVer=2",
       "RevisionVer=30", "VersionCompanyName=\"Acme, Inc.\"", "", "[MS Transaction Server]",
       "AutoRefresh=1", "UserDocument=udA.dob", "Designer=dsA.dsr"}));
  const ProjectInfo& info = project.Info;
  EXPECT_EQ(info.ProgramType, u"Exe");
  EXPECT_EQ(info.StartupObject, u"frmMain");
  EXPECT_EQ(info.ProjectName, u"Demo");
  EXPECT_EQ(info.MajorVersion, u"1");
  EXPECT_EQ(info.MinorVersion, u"2");
  EXPECT_EQ(info.RevisionVersion, u"30");
  EXPECT_EQ(info.CompanyName, u"Acme, Inc.") << "a comma does not end a value";
  EXPECT_EQ(project.Entries(FileKind::Form),
            (std::vector<SourceFileEntry>{{u"", u"C:\\work\\demo\\frmMain.frm"},
                                          {u"", u"C:\\work\\demo\\frmAbout.frm"}}));
  EXPECT_EQ(project.Entries(FileKind::Module),
            (std::vector<SourceFileEntry>{{u"modMain", u"C:\\work\\demo\\modMain.bas"}}));
  EXPECT_EQ(
      project.Entries(FileKind::Class),
      (std::vector<SourceFileEntry>{{u"clsData", u"C:\\work\\demo\\..\\shared\\clsData.cls"}}));
  EXPECT_EQ(project.Entries(FileKind::UserControl),
            (std::vector<SourceFileEntry>{{u"", u"C:\\work\\demo\\ctlA.ctl"}}));
  EXPECT_EQ(project.Entries(FileKind::PropertyPage),
            (std::vector<SourceFileEntry>{{u"", u"C:\\work\\demo\\pgA.pag"}}));
}

// The key is the whole text before "=", trimmed, in any letter case; the
// value is cut from what follows that "=".
TEST(ProjectFileTest, KeysAreWholeAndCaseBlind) {
  const ProjectContents project =
      Read(Lines({"form=a.frm", "  FORM  =  b.frm  ", "FormX=c.frm", "Forms=d.frm",
                  "Module=modA ; modA.bas", "Module=;e.bas", "NAME = Plain ", "Startup=frmMain",
                  "StartupX=\"x\"", "VersionCompanyName=\"", "VersionCompanyName=\"Acme",
                  "Name=\"Last\"", "no equals sign", "Type=OleDll, Name=Injected"}));
  EXPECT_EQ(project.Entries(FileKind::Form),
            (std::vector<SourceFileEntry>{{u"", u"C:\\work\\demo\\a.frm"},
                                          {u"", u"C:\\work\\demo\\b.frm"}}));
  EXPECT_EQ(project.Entries(FileKind::Module),
            (std::vector<SourceFileEntry>{{u"modA ", u"C:\\work\\demo\\modA.bas"},
                                          {u"", u"C:\\work\\demo\\e.bas"}}));
  EXPECT_EQ(project.Info.ProjectName, u"Last");
  EXPECT_EQ(project.Info.StartupObject, u"frmMain") << "no quotes: the value stands as it is";
  EXPECT_EQ(project.Info.CompanyName, u"\"Acme") << "one quote only: not unquoted";
  EXPECT_EQ(project.Info.ProgramType, u"ted") << "text after a comma is no other key";
}

TEST(ProjectFileTest, TheProgramTypeIsTheKindOfFileBuilt) {
  EXPECT_EQ(ProgramTypeOf(u"Exe"), u"Exe");
  EXPECT_EQ(ProgramTypeOf(u"OleExe"), u"Exe");
  EXPECT_EQ(ProgramTypeOf(u" oleexe "), u"Exe");
  EXPECT_EQ(ProgramTypeOf(u"OleDll"), u"Dll");
  EXPECT_EQ(ProgramTypeOf(u"Control"), u"Ocx");
  EXPECT_EQ(ProgramTypeOf(u"Something "), u"ng ");
  EXPECT_EQ(ProgramTypeOf(u"Ab"), u"Ab");
  EXPECT_EQ(ProgramTypeOf(u""), u"");
}

TEST(ProjectFileTest, AbsoluteFileNamesStandAlone) {
  const ProjectContents project =
      Read(Lines({"Form=D:\\other\\a.frm", "Form=\\\\server\\share\\b.frm", "Form=/srv/c.frm",
                  "Form=1:x.frm"}));
  EXPECT_EQ(project.Entries(FileKind::Form),
            (std::vector<SourceFileEntry>{{u"", u"D:\\other\\a.frm"},
                                          {u"", u"\\\\server\\share\\b.frm"},
                                          {u"", u"/srv/c.frm"},
                                          {u"", u"C:\\work\\demo\\1:x.frm"}}));
}

TEST(ProjectFileTest, NamesAreDecodedInTheCodePage) {
  // "窗体.frm" in GBK, and a company name with a full-width comma.
  const ProjectContents project =
      Read(Lines({"Form=\xB4\xB0\xCC\xE5.frm", "VersionCompanyName=\"\xCA\xBE\xC0\xFD\xA3\xAC\""}));
  EXPECT_EQ(project.Entries(FileKind::Form)[0].Location, u"C:\\work\\demo\\窗体.frm");
  EXPECT_EQ(project.Info.CompanyName, u"示例，");
  EXPECT_EQ(ReadError("Name=\"a\"\r\nForm=\x81\r\n"),
            "Demo.vbp:2: the bytes 0x81 do not decode in code page CP936 (byte offset 15 in the "
            "file)");
  // A line that carries none of the keys is passed over, whatever its bytes.
  EXPECT_EQ(Read(Lines({"Title=\x81\x20", "Form=a.frm"})).Entries(FileKind::Form).size(), 1u);
}

TEST(ProjectFileTest, AnEntryThatCannotBeCutStopsWithItsLine) {
  EXPECT_EQ(ReadError(Lines({"Type=Exe", "Form="})),
            "Demo.vbp:2: cannot read the entry \"Form=\": no file name");
  EXPECT_EQ(ReadError(Lines({"Module=modA"})),
            "Demo.vbp:1: cannot read the entry \"Module=modA\": no \";\" between the name and "
            "the file");
  EXPECT_EQ(ReadError(Lines({"Class=clsA;  "})),
            "Demo.vbp:1: cannot read the entry \"Class=clsA;  \": no file name");
  EXPECT_EQ(ReadError(Lines({"UserControl= ", "PropertyPage=p.pag"})),
            "Demo.vbp:1: cannot read the entry \"UserControl= \": no file name");
}

TEST(ProjectFileTest, AKindHoldsAtMost32766Files) {
  std::string lines;
  for (std::size_t i = 0; i < kMaxEntriesPerKind; ++i)
    lines += "Form=f.frm\r\nModule=m;m.bas\r\n";
  EXPECT_EQ(Read(lines).Entries(FileKind::Form).size(), kMaxEntriesPerKind);
  EXPECT_EQ(ReadError(lines + "Module=m;m.bas\r\n"),
            "Demo.vbp:65533: cannot read the entry \"Module=m;m.bas\": 16-bit overflow: more than "
            "32,766 modules in one project");
}

TEST(ProjectFileTest, AnEmptyFileListsNothing) {
  const ProjectContents project = Read("");
  EXPECT_TRUE(project.Entries(FileKind::Form).empty());
  EXPECT_EQ(project.Info.ProjectName, u"");
}

} // namespace
} // namespace qf

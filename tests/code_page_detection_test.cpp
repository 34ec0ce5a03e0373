// --encoding auto: each project read in the code page its files are in,
// found before any file is touched.

#include "cli/failure_english.h"
#include "io/file_system.h"
#include "io/utf.h"
#include "processing/project_code_page.h"
#include "tests/rewrite_test_support.h"
#include "tests/support/cli_runner.h"
#include "tests/support/code_page_projects.h"
#include "tests/support/temp_dir.h"
#include "text/code_page.h"
#include "text/code_page_guess.h"

#include <gtest/gtest.h>

namespace qf::test {
namespace {

namespace fs = std::filesystem;

/// A module with a Sub and a few lines of `utf8` text, in `codePage`.
std::string Module(std::string_view codePage, std::string_view utf8) {
  std::string text = "Attribute VB_Name = \"m\"\r\n";
  for (int i = 0; i < 4; ++i)
    text += "' " + Encoded(codePage, utf8) + "\r\n";
  return text + "Sub Go(Wert As Long)\r\n    MsgBox \"" + Encoded(codePage, utf8) +
         "\"\r\nEnd Sub\r\n";
}

class CodePageDetectionTest : public ::testing::Test {
protected:
  CliRun Run(const std::vector<std::string>& args) { return RunCli(args, scratch_.Path()); }
  TempDir dir_;
  TempDir scratch_;
};

// The sample (GBK) comes out as a run in the default code page writes it.
TEST_F(CodePageDetectionTest, TheSampleIsReadInGbkAndWrittenAsBefore) {
  TempDir plain;
  for (const auto& entry : fs::directory_iterator(QF_EXAMPLES_DIR "/demo")) {
    fs::copy_file(entry.path(), dir_ / entry.path().filename().string());
    fs::copy_file(entry.path(), plain / entry.path().filename().string());
  }
  const CliRun detected = Run({"--encoding", "auto", (dir_ / "Demo.vbp").string()});
  EXPECT_EQ(detected.Status, 0) << detected.Err;
  EXPECT_EQ(detected.Err, "quillformer-cli: " + (dir_ / "Demo.vbp").string() +
                              ": code page windows-936 (detected)\n");
  ASSERT_EQ(Run({(plain / "Demo.vbp").string()}).Status, 0);
  for (const auto& entry : fs::directory_iterator(plain.Path()))
    EXPECT_EQ(ReadBytes(dir_ / entry.path().filename().string()), ReadBytes(entry.path()))
        << entry.path().filename();
}

// A group of a GBK project and a CP1252 one: each in its code page, with
// the labels it holds.
TEST_F(CodePageDetectionTest, EachProjectOfAGroupInItsOwnCodePageAndLanguage) {
  dir_.Write("zh/m.bas", Module("CP936", "打开文件之前先检查文件是否存在。"));
  dir_.Write("zh/Zh.vbp", "Module=m; m.bas\r\n");
  dir_.Write("de/m.bas",
             Module("CP1252", "Prüft, ob die Datei existiert, bevor sie geöffnet wird."));
  dir_.Write("de/De.vbp", "Module=m; m.bas\r\n");
  dir_.Write("Both.vbg", "VBGROUP 5.0\r\nProject=zh\\Zh.vbp\r\nProject=de\\De.vbp\r\n");
  const CliRun run = Run(
      {"--encoding", "auto", "--labels", "auto", "--report=json", (dir_ / "Both.vbg").string()});
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_NE(run.Out.find("\"codePage\":\"windows-936\""), std::string::npos) << run.Out;
  EXPECT_NE(run.Out.find("\"codePage\":\"windows-1252\""), std::string::npos) << run.Out;
  EXPECT_NE(ReadBytes(dir_ / "zh/m.bas").find(Encoded("CP936", "'## 过程名称：Go")),
            std::string::npos);
  EXPECT_NE(ReadBytes(dir_ / "de/m.bas").find("'## Sub: Go\r\n'## Parameter: Wert As Long\r\n"),
            std::string::npos);
}

// GBK takes most German text as pairs of bytes; a project of both stops
// before anything is touched, naming the file that does not fit.
TEST_F(CodePageDetectionTest, FilesOfMixedCodePagesStopTheProjectUntouched) {
  const std::string zh =
      Module("CP936", "列表中的所有项目按相反的顺序显示。请输入有效的客户编号。");
  const std::string de =
      Module("CP1252", "Überträgt die Änderungen in die Tabelle der Bestellungen.");
  dir_.Write("a.bas", zh);
  dir_.Write("b.bas", de);
  dir_.Write("P.vbp", "Module=a; a.bas\r\nModule=b; b.bas\r\n");
  const CliRun run = Run({"--encoding", "auto", (dir_ / "P.vbp").string()});
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Out, "");
  EXPECT_EQ(run.Err, "quillformer-cli: " + (dir_ / "b.bas").string() +
                         ": cannot tell the project's code page: this file reads as "
                         "windows-1252, the project's other files as windows-936 (--encoding "
                         "NAME chooses one for all)\n");
  EXPECT_EQ(ReadBytes(dir_ / "a.bas"), zh);
  EXPECT_EQ(ReadBytes(dir_ / "b.bas"), de);
}

// Two patterns of real projects through the command line: a Japanese
// project whose project file lists a Shift-JIS name (read as GBK, the name
// is another file and the run stopped: "cannot open"), and an English one
// whose only sign, ©, is a Thai letter in CP874.
TEST_F(CodePageDetectionTest, AShiftJisProjectIsFoundAndAnEnglishOneWithACopyrightStaysEnglish) {
  const fs::path japanese = WriteShiftJisProject(dir_, "jp");
  const CliRun jp = Run({"--encoding", "auto", "--labels", "auto", japanese.string()});
  EXPECT_EQ(jp.Status, 0) << jp.Err;
  EXPECT_EQ(jp.Err,
            "quillformer-cli: " + japanese.string() + ": code page windows-932 (detected)\n");
  EXPECT_NE(ReadBytes(dir_ / "jp/計算用.bas").find(Encoded("CP932", "'## 関数名：Total")),
            std::string::npos);
  EXPECT_NE(ReadBytes(dir_ / "jp/frmMain.frm").find("'Quillformer By Vendelmark"),
            std::string::npos);

  const fs::path english = WriteEnglishCopyrightProject(dir_, "en");
  const CliRun en = Run({"--encoding", "auto", "--labels", "auto", english.string()});
  EXPECT_EQ(en.Status, 0) << en.Err;
  EXPECT_EQ(en.Err, "quillformer-cli: " + english.string() +
                        ": code page windows-1252 (detected on thin evidence: a few signs or "
                        "words; --encoding NAME sets it)\n");
  EXPECT_NE(ReadBytes(dir_ / "en/modAbout.bas").find("'## Sub: ShowAbout\r\n"), std::string::npos);
}

// The listed names alone tell the code page where the text does not: a
// project whose only bytes above 0x7F name its form (ekanji用.frm, in GBK
// ekanji梡.frm).
TEST(CodePageEvidenceTest, ListedNamesThatResolveInOneCodePageTellIt) {
  TempDir dir;
  dir.Write("ekanji用.frm", "VERSION 5.00\r\nBegin VB.Form Form1 \r\nEnd\r\n"
                            "Attribute VB_Name = \"Form1\"\r\n");
  const fs::path project = dir.Write("P.vbp", Encoded("CP932", "Form=ekanji用.frm\r\n"));
  const ProjectCodePage found =
      ChooseProjectCodePage(Utf8ToUtf16(project.string()), RealFileSystem());
  EXPECT_EQ(found.Name, "windows-932");
}

// Each rule that weighs the evidence, with the pattern of real projects
// that needs it, in bytes of its own: the file's lines and the code page
// the project was judged in by reading it.
TEST(CodePageEvidenceTest, EachRuleReadsTheRealPatternThatNeedsIt) {
  struct Case {
    const char* Pattern;
    std::vector<std::vector<std::string>> Files; // the lines of each file
    const char* Expected;
  };
  const std::string ansiFont = "      Charset         =   0";
  const std::vector<Case> cases = {
      {"only the Chinese IDE's own word (Big5), one line",
       {{"   StartUpPosition =   3  " + Encoded("CP950", "'系統預設值")}},
       "windows-950"},
      {"only a font name in Shift-JIS, character set 0",
       {{"      Name            =   \"" + Encoded("CP932", "ＭＳ Ｐゴシック") + "\"", ansiFont}},
       "windows-932"},
      {"Spanish, and a control's Baltic font among many ANSI ones",
       {{ansiFont, ansiFont, ansiFont, ansiFont, ansiFont, ansiFont,
         "      Charset         =   186",
         Encoded("CP1252", "' Si está escribiendo después de la coma, que no lo permita")}},
       "windows-1252"},
      {"Portuguese that uchardet answers with a DOS code page (IBM852)",
       {{Encoded("CP1252", "   Caption = \"Conexões abertas\"")}},
       "windows-1252"},
      {"Portuguese that uchardet answers with a Mac code page (MAC-CENTRALEUROPE)",
       {{Encoded("CP1252", "   Caption = \"Mês:\"")}},
       "windows-1252"},
      {"German, and a degree sign in another file",
       {{Encoded("CP1252", "' Überprüft, ob die Länge größer als die Breite ist"),
         Encoded("CP1252", "' Schließt die Datei, bevor sie gelöscht wird")},
        {Encoded("CP1252", "    Case 0 '0-90°")}},
       "windows-1252"},
      {"a few GBK characters uchardet takes for UTF-8, which cannot decode them",
       {{Encoded("CP936", "'.AddFileToProcess \"水经注/0/01.htm\"")}},
       "windows-936"},
      {"Korean, and a project file whose only sign is the Hangul code page's circled c",
       {{Encoded("CP949", "' 파일을 저장하시겠습니까? 취소하면 저장하지 않은 내용은 없어집니다."),
         Encoded("CP949", "   Caption = \"컴파일 및 실행 설정\"")},
        {Encoded("CP949", "VersionLegalCopyright=\"ⓒ 2019 Hanbit Works\"")}},
       "windows-949"},
  };
  for (const Case& c : cases) {
    CodePageGuess guess;
    std::uint64_t file = 0;
    for (const std::vector<std::string>& lines : c.Files) {
      guess.StartFile("f" + std::to_string(++file) + ".frm");
      std::uint64_t n = 0;
      for (const std::string& line : lines)
        guess.Line(line, ++n, 0);
    }
    const CodePageGuess::Verdict verdict = guess.Decide();
    EXPECT_FALSE(verdict.Error.has_value())
        << c.Pattern << ": " << cli::DescribeInEnglish(*verdict.Error);
    EXPECT_EQ(verdict.CodePage, c.Expected) << c.Pattern;
  }
}

TEST(CodePageGuessTest, PlainAsciiGetsTheDefaultAndAStrayByteStopsNothing) {
  CodePageGuess ascii;
  ascii.StartFile("a.bas");
  ascii.Line("Dim a As Long", 1, 0);
  EXPECT_TRUE(ascii.Decide().PlainAscii);
  EXPECT_EQ(ascii.Decide().CodePage, kDefaultCodePage);

  // Chinese text with one byte GBK cannot decode: a code page that decodes
  // every byte takes it (the bytes go back as they were read), and the
  // choice is said to rest on thin evidence.
  CodePageGuess chinese;
  chinese.StartFile("b.bas");
  const std::string line =
      Encoded("CP936", "' 打开文件之前先检查文件是否存在。缓冲区的大小在程序启动时确定。");
  for (std::uint64_t n = 1; n <= 5; ++n)
    chinese.Line(line, n, 100 * n);
  chinese.Line("' \x81", 6, 600);
  const CodePageGuess::Verdict verdict = chinese.Decide();
  EXPECT_FALSE(verdict.Error.has_value()) << cli::DescribeInEnglish(*verdict.Error);
  EXPECT_NE(verdict.CodePage, "windows-936");
  EXPECT_TRUE(verdict.ThinEvidence);
}

// One line of text is enough to tell a Western file among Chinese ones, and
// not enough to stop a Western project over a question mark that reads as a
// letter in a neighbouring code page.
TEST(CodePageGuessTest, OneLineTellsAMixButNotANeighbouringCodePage) {
  CodePageGuess mixed;
  mixed.StartFile("a.bas");
  mixed.Line(Encoded("CP1252", "' Überprüfung der Größe für äußere Maße"), 2, 30);
  mixed.StartFile("b.bas");
  mixed.Line(Encoded("CP936", "' 检查外部尺寸的大小"), 2, 30);
  const CodePageGuess::Verdict verdict = mixed.Decide();
  ASSERT_TRUE(verdict.Error.has_value());
  EXPECT_EQ(verdict.Error->Kind, TextFailureKind::MixedCodePages);
  EXPECT_EQ(verdict.Error->File, "a.bas");

  CodePageGuess spanish;
  spanish.StartFile("a.bas");
  spanish.Line(Encoded("CP1252", "' ¿Desea guardar los cambios?"), 2, 30);
  spanish.StartFile("b.bas");
  for (std::uint64_t n = 1; n <= 4; ++n)
    spanish.Line(Encoded("CP1252", "' La operación terminó sin errores; añada más líneas."), n,
                 60 * n);
  EXPECT_EQ(spanish.Decide().CodePage, "windows-1252");
  EXPECT_FALSE(spanish.Decide().Error.has_value());
}

} // namespace
} // namespace qf::test

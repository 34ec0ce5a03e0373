#include "tests/support/code_page_projects.h"

#include "text/code_page.h"
#include "io/utf.h"

namespace qf::test {

std::string Encoded(std::string_view codePage, std::string_view utf8) {
  CodePage codes(codePage);
  std::string bytes;
  codes.Encode(Utf8ToUtf16(utf8), bytes);
  return bytes;
}

std::filesystem::path WriteShiftJisProject(const TempDir& dir, const std::string& folder) {
  dir.Write(folder + "/frmMain.frm",
            Encoded("CP932", "VERSION 5.00\r\n"
                             "Begin VB.Form frmMain \r\n"
                             "   Caption         =   \"合計\"\r\n"
                             "   ClientHeight    =   1200\r\n"
                             "   BorderStyle     =   3  '固定ﾀﾞｲｱﾛｸﾞ\r\n"
                             "   StartUpPosition =   3  'Windows の既定値\r\n"
                             "   Begin VB.CommandButton cmdGo \r\n"
                             "      Caption         =   \"ｸﾘｯｸ\"\r\n"
                             "   End\r\n"
                             "End\r\n"
                             "Attribute VB_Name = \"frmMain\"\r\n"
                             "Private Sub cmdGo_Click()\r\n"
                             "    MsgBox Total(1, 2)\r\n"
                             "End Sub\r\n"));
  dir.Write(folder + "/計算用.bas", Encoded("CP932", "Attribute VB_Name = \"計算用\"\r\n"
                                                     "' 二つの数の合計を返す\r\n"
                                                     "Public Function Total(ByVal a As Long, "
                                                     "ByVal b As Long) As Long\r\n"
                                                     "    Total = a + b\r\n"
                                                     "End Function\r\n"));
  return dir.Write(
      folder + "/Keisan.vbp",
      Encoded("CP932", "Type=Exe\r\nForm=frmMain.frm\r\nModule=計算用; 計算用.bas\r\n"));
}

std::filesystem::path WriteEnglishCopyrightProject(const TempDir& dir, const std::string& folder) {
  dir.Write(folder + "/modAbout.bas", "Attribute VB_Name = \"modAbout\"\r\n"
                                      "' Copyright \xA9 2004 Stock Tools\r\n"
                                      "Public Sub ShowAbout()\r\n"
                                      "    MsgBox \"Stock Tools\"\r\n"
                                      "End Sub\r\n");
  return dir.Write(folder + "/About.vbp", "Type=Exe\r\nModule=modAbout; modAbout.bas\r\n");
}

} // namespace qf::test

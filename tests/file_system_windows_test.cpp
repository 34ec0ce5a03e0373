// Windows: names from the project file reach the file system as UTF-16
// whatever the ANSI code page; drive letters, "\" and UNC names; a rewrite
// keeps the attributes of the file it replaces, refuses a read-only file
// and waits out a file held open for a moment. POSIX keeps permission bits
// instead (file_system_posix_test.cpp).

#include "io/paths.h"
#include "io/utf.h"
#include "processing/operation_report.h"
#include "processing/processing_run.h"
#include "processing/project_paths.h"
#include "io/staged_file.h"
#include "tests/rewrite_test_support.h"
#include "tests/support/forwarding_file_system.h"
#include "tests/support/temp_dir.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <thread>
#include <windows.h>

namespace qf::test {
namespace {

namespace fs = std::filesystem;

const std::string kModule = Lines({"Attribute VB_Name = \"m\"", "Sub Go()", "End Sub"});

/// `utf8` in code page CP936, as a Chinese project file holds it.
std::string Gbk(std::string_view utf8) {
  CodePage codes("CP936");
  std::string bytes;
  codes.Encode(Utf8ToUtf16(utf8), bytes);
  return bytes;
}

// Characters that the ANSI code page of an English Windows (1252) lacks:
// only the wide-character functions reach these files. The file system
// finds a name written in other letter case by itself.
TEST(FileSystemWindowsTest, NamesFromTheProjectReachTheFileSystemAsUtf16) {
  ASSERT_NE(::GetACP(), 936u) << "the test needs an ANSI code page without these characters";
  const TempDir dir;
  dir.Write("工程/模块.bas", kModule);
  dir.Write("工程/子目录/类模块.cls", kModule);
  dir.Write("工程/Form1.frm", kModule);
  dir.Write("工程/演示.vbp", Gbk("Form=FORM1.FRM\r\nModule=模块; 模块.bas\r\n"
                                 "Class=类; 子目录\\类模块.cls\r\n"));
  const ProcessingSettings settings;
  CodePage codes("CP936");
  OperationReport report;
  const std::optional<Failure> failure = ProcessProject(
      PathUtf16(dir / "工程/演示.vbp"), RunEnvironment{settings, codes, RealFileSystem()}, report);
  ASSERT_FALSE(failure) << cli::DescribeInEnglish(*failure);
  for (const char* name : {"工程/模块.bas", "工程/子目录/类模块.cls", "工程/Form1.frm"})
    EXPECT_EQ(ReadBytes(dir / name), Rewrite(kModule).Text) << name;
  const std::string text = Utf16ToUtf8(report.Text());
  EXPECT_NE(
      text.find("    模块位置：" + PathText(dir / "工程/模块.bas") + "\r\n    ......处理完成"),
      std::string::npos)
      << text;
  EXPECT_NE(text.find("    类模块位置：" + PathText(dir / "工程") + "\\子目录\\类模块.cls\r\n"),
            std::string::npos)
      << text;

  // A missing file is named in its own characters.
  dir.Write("工程/缺.vbp", Gbk("Module=缺; 缺少的模块.bas\r\n"));
  const std::optional<Failure> missing = ProcessProject(
      PathUtf16(dir / "工程/缺.vbp"), RunEnvironment{settings, codes, RealFileSystem()}, report);
  ASSERT_TRUE(missing);
  EXPECT_EQ(std::get<IoFailure>(*missing).Kind, IoFailureKind::Open);
  EXPECT_EQ(FailedFile(*missing), PathText(dir / "工程/缺少的模块.bas"));
}

/// A file system of names alone: the files and folders given exist, and a
/// folder lists the names below it.
class NamesOnly final : public ForwardingFileSystem {
public:
  explicit NamesOnly(std::vector<std::string> names) : names_(std::move(names)) {}
  bool Exists(const fs::path& path) override {
    return std::find(names_.begin(), names_.end(), PathText(path)) != names_.end();
  }
  std::vector<std::string> List(const fs::path& folder) override {
    std::string prefix = PathText(folder);
    if (!prefix.ends_with('\\'))
      prefix += '\\';
    std::vector<std::string> below;
    for (const std::string& name : names_)
      if (name.starts_with(prefix) && name.find('\\', prefix.size()) == std::string::npos)
        below.push_back(name.substr(prefix.size()));
    return below;
  }
private:
  std::vector<std::string> names_;
};

// Drive letters and UNC names stand alone; "/" and "\" both separate, and
// the path takes Windows' own "\". The lookup without regard to case
// starts below the share, which is no folder to look in.
TEST(FileSystemWindowsTest, DriveLettersAndUncNames) {
  NamesOnly files({R"(C:\VB\Demo\Forms\frmMain.frm)", R"(D:\Shared)", R"(D:\Shared\modA.bas)",
                   R"(\\server\vb\Shared)", R"(\\server\vb\Shared\clsA.cls)",
                   R"(\\nas\share\modB.bas)"});
  struct Case {
    std::u16string Folder;
    std::u16string Entry;
    std::string Path;
    std::string Root;
  };
  for (const Case& c : {
           Case{u"C:\\VB\\Demo\\", u"Forms/frmMain.frm", R"(C:\VB\Demo\Forms\frmMain.frm)",
                R"(C:\)"},
           Case{u"C:\\VB\\Demo\\", u"D:\\shared\\MODA.BAS", R"(D:\Shared\modA.bas)", R"(D:\)"},
           Case{u"\\\\server\\vb\\", u"SHARED\\clsa.cls", R"(\\server\vb\Shared\clsA.cls)",
                R"(\\server\vb\)"},
           Case{u"C:\\VB\\", u"\\\\nas\\share\\modB.bas", R"(\\nas\share\modB.bas)",
                R"(\\nas\share\)"},
       }) {
    const fs::path path = ResolveLocation(LocationOf(c.Folder, c.Entry), files);
    EXPECT_EQ(PathText(path), c.Path);
    EXPECT_EQ(PathText(SplitRoot(path).first), c.Root) << c.Path;
  }
  EXPECT_EQ(PathText(SplitRoot(fs::path(LR"(\\?\UNC\server\share\a\b.bas)")).first),
            R"(\\?\UNC\server\share\)");
  EXPECT_EQ(PathText(SplitRoot(fs::path(LR"(\\.\pipe\p.bas)")).second), "p.bas");
  EXPECT_EQ(ProjectFolderOf(u"\\\\server\\vb\\Demo\\Demo.vbp"), u"\\\\server\\vb\\Demo\\");
}

// A rewrite is a new file: it takes the old one's attributes, and a
// read-only file is refused before anything is written.
TEST(FileSystemWindowsTest, ARewriteKeepsTheAttributesAndRefusesAReadOnlyFile) {
  const TempDir dir;
  CodePage codes("CP936");
  const fs::path hidden = dir.Write("隐藏.bas", kModule);
  ASSERT_NE(::SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN), 0);
  ASSERT_EQ(RewriteInPlace(hidden, {}, codes), RewriteOutcome::Rewritten);
  EXPECT_EQ(ReadBytes(hidden), Rewrite(kModule).Text);
  EXPECT_NE(::GetFileAttributesW(hidden.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);

  const fs::path locked = dir.Write("只读.bas", kModule);
  ASSERT_NE(::SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY), 0);
  EXPECT_EQ(FailureText([&] { RewriteInPlace(locked, {}, codes); }),
            PathText(locked) + ": it is read-only; a read-only file is not replaced (make it "
                               "writable to have it rewritten)");
  EXPECT_EQ(ReadBytes(locked), kModule);
  EXPECT_FALSE(fs::exists(TemporaryPathFor(locked)));
  ::SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Windows will not replace a file someone holds open (a virus scanner, the
// search indexer, the run's own look at the next file): the replace tries
// again for a while, and fails cleanly after.
TEST(FileSystemWindowsTest, AReplaceWaitsOutAFileHeldOpenAMoment) {
  const TempDir dir;
  const fs::path source = dir.Write("m.bas", "old");
  const fs::path rewrite = dir.Write("m.bastmp", "new");
  const auto hold = [&] {
    return ::CreateFileW(source.c_str(), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  };
  const HANDLE moment = hold();
  ASSERT_NE(moment, INVALID_HANDLE_VALUE);
  std::thread letGo([moment] {
    ::Sleep(150);
    ::CloseHandle(moment);
  });
  const FileIdentity identity = *RealFileSystem().Identity(source);
  EXPECT_NO_THROW(RealFileSystem().Replace(rewrite, source, identity));
  letGo.join();
  EXPECT_EQ(ReadBytes(source), "new");
  EXPECT_FALSE(fs::exists(rewrite));

  dir.Write("m.bastmp", "newer");
  const HANDLE forGood = hold();
  EXPECT_THROW(RealFileSystem().Replace(rewrite, source, *RealFileSystem().Identity(source)),
               FailureErrorBase);
  ::CloseHandle(forGood);
  EXPECT_EQ(ReadBytes(source), "new");
  EXPECT_EQ(ReadBytes(rewrite), "newer");
}

} // namespace
} // namespace qf::test

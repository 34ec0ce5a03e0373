// Whole projects processed in place, on temporary copies.

#include "cli/failure_english.h"
#include "io/utf.h"
#include "processing/failure.h"
#include "processing/failure_chinese.h"
#include "processing/operation_report.h"
#include "processing/processing_run.h"
#include "rewrite/rewrite_pass.h"
#include "tests/rewrite_test_support.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/forwarding_file_system.h"
#include "tests/support/system_facts.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <map>

namespace qf::test {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kSampleFiles = {"frmMain.frm", "modStock.bas", "clsItem.cls",
                                               "ctlGauge.ctl", "pgGauge.pag"};

class ProcessingRunTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (const auto& entry : fs::directory_iterator(QF_EXAMPLES_DIR "/demo"))
      fs::copy_file(entry.path(), dir_ / entry.path().filename().string());
  }

  std::u16string Folder() const { return Utf8ToUtf16(dir_.Path().string()) + u"/"; }

  /// Runs the project; returns the failure's message ("" when it ran through).
  std::string Run(const std::string& project = "Demo.vbp", FileSystem& files = RealFileSystem()) {
    report_ = OperationReport();
    failure_ = ProcessProject(Folder() + Utf8ToUtf16(project),
                              RunEnvironment{settings_, codes_, files}, report_);
    return failure_ ? cli::DescribeInEnglish(*failure_) : "";
  }

  std::string ReportText() const { return Utf16ToUtf8(report_.Text()); }

  /// Every file holds its original bytes or its complete rewrite, and no
  /// temporary file is left.
  void ExpectNothingLost(const std::map<std::string, std::string>& originals) {
    for (const auto& [name, original] : originals) {
      ASSERT_TRUE(fs::exists(dir_ / name)) << name << " is missing";
      const std::string now = ReadBytes(dir_ / name);
      if (now != original) {
        EXPECT_EQ(now, Rewrite(original).Text) << name << " is neither original nor rewritten";
      }
    }
    for (const auto& entry : fs::directory_iterator(dir_.Path()))
      EXPECT_FALSE(entry.path().string().ends_with("tmp")) << entry.path() << " was left";
  }

  std::map<std::string, std::string> Originals() const {
    std::map<std::string, std::string> files;
    for (const std::string& name : kSampleFiles)
      files[name] = ReadBytes(dir_ / name);
    return files;
  }

  TempDir dir_;
  ProcessingSettings settings_;
  CodePage codes_{"CP936"};
  OperationReport report_;
  std::optional<Failure> failure_;
};

TEST_F(ProcessingRunTest, RewritesEveryListedFileAndReportsIt) {
  const auto originals = Originals();
  ASSERT_EQ(Run(), "");
  const std::string folder = dir_.Path().string() + "/";
  EXPECT_EQ(ReportText(), Lines({"操作报告：",
                                 "    工程名称：StockDemo",
                                 "    程序类型：Exe",
                                 "    公司名称：Acme, Inc.",
                                 "    版 本 号：1.2.7",
                                 "    启动对象：frmMain",
                                 "窗体对象",
                                 "    " + folder + "frmMain.frm",
                                 "    ......处理完成",
                                 "模块对象",
                                 "    模块名称：modStock",
                                 "    模块位置：" + folder + "modStock.bas",
                                 "    ......处理完成",
                                 "类模块对象",
                                 "    类模块名称：clsItem",
                                 "    类模块位置：" + folder + "clsItem.cls",
                                 "    ......处理完成",
                                 "用户控件单元",
                                 "    用户控件位置：" + folder + "ctlGauge.ctl",
                                 "    ......处理完成",
                                 "属性页单元",
                                 "    属性页位置：" + folder + "pgGauge.pag",
                                 "    ......处理完成"}));
  for (const auto& [name, original] : originals)
    EXPECT_EQ(ReadBytes(dir_ / name), Rewrite(original).Text) << name;
  ExpectNothingLost(originals);
}

TEST_F(ProcessingRunTest, ASecondRunFindsEveryFileProcessedAndChangesNoByte) {
  ASSERT_EQ(Run(), "");
  const auto rewritten = Originals();
  ASSERT_EQ(Run(), "");
  const std::string report = ReportText();
  std::size_t count = 0;
  for (std::size_t at = 0;
       (at = report.find("    ......已经被处理过，不能继续处理\r\n", at)) != std::string::npos;
       ++at)
    ++count;
  EXPECT_EQ(count, 5u) << report;
  EXPECT_EQ(report.find("处理完成"), std::string::npos);
  EXPECT_EQ(Originals(), rewritten);
  ExpectNothingLost(rewritten);
}

TEST_F(ProcessingRunTest, TheReportOfAFormAndAnAlreadyProcessedModule) {
  dir_.Write("Demo2.vbp", Lines({"Type=Exe", "Form=frmMain.frm", "Module=modMain; modMain.bas",
                                 "Startup=\"frmMain\"", "Name=\"Demo\"", "MajorVer=1", "MinorVer=0",
                                 "RevisionVer=0"}));
  dir_.Write("modMain.bas", Lines({"Attribute VB_Name = \"modMain\"", std::string(kMarkerLine)}));
  ASSERT_EQ(Run("Demo2.vbp"), "");
  const std::string folder = dir_.Path().string() + "/";
  EXPECT_EQ(
      ReportText(),
      Lines({"操作报告：", "    工程名称：Demo", "    程序类型：Exe", "    公司名称：",
             "    版 本 号：1.0.0", "    启动对象：frmMain", "窗体对象",
             "    " + folder + "frmMain.frm", "    ......处理完成", "模块对象",
             "    模块名称：modMain", "    模块位置：" + folder + "modMain.bas",
             "    ......已经被处理过，不能继续处理", "类模块对象", "用户控件单元", "属性页单元"}));
}

TEST_F(ProcessingRunTest, AnEmptyProjectReportsElevenLines) {
  dir_.Write("Empty.vbp", "");
  ASSERT_EQ(Run("Empty.vbp"), "");
  EXPECT_EQ(ReportText(), Lines({"操作报告：", "    工程名称：", "    程序类型：", "    公司名称：",
                                 "    版 本 号：..", "    启动对象：", "窗体对象", "模块对象",
                                 "类模块对象", "用户控件单元", "属性页单元"}));
}

TEST_F(ProcessingRunTest, AFileListedTwiceIsRewrittenThenFoundProcessed) {
  dir_.Write("Twice.vbp", Lines({"Form=frmMain.frm", "form=FRMMAIN.FRM"}));
  ASSERT_EQ(Run("Twice.vbp"), "");
  const std::string report = ReportText();
  EXPECT_NE(report.find("处理完成\r\n    " + dir_.Path().string() +
                        "/FRMMAIN.FRM\r\n    "
                        "......已经被处理过，不能继续处理\r\n"),
            std::string::npos)
      << report;
}

// A missing module stops the run there: what came before stays handled,
// nothing after it is touched, and the report says why.
TEST_F(ProcessingRunTest, AMissingFileStopsTheRunAfterItsLines) {
  dir_.Write("Gap.vbp", Lines({"Form=frmMain.frm", "Module=modStock; modStock.bas",
                               "Module=modGone; modGone.bas", "Module=modLast; modLast.bas",
                               "Class=clsItem; clsItem.cls", "UserControl=ctlGauge.ctl",
                               "PropertyPage=pgGauge.pag"}));
  dir_.Write("modLast.bas", "Attribute VB_Name = \"modLast\"\r\n");
  auto originals = Originals();
  originals["modLast.bas"] = ReadBytes(dir_ / "modLast.bas");
  // The report gives the location as the project lists it, the failure the
  // file as the system opened it (on Windows with its own "\").
  const std::string listed = dir_.Path().string() + "/modGone.bas";
  const std::string gone = (dir_ / "modGone.bas").string();
  EXPECT_EQ(Run("Gap.vbp"), gone + ": cannot open for reading: " + NoSuchFileWords());
  const std::string report = ReportText();
  EXPECT_TRUE(report.ends_with(
      Lines({"    模块名称：modGone", "    模块位置：" + listed,
             "    ......处理中断：无法打开文件：" + gone + "（" + NoSuchFileWords() + "）"})))
      << report;
  for (const char* name : {"frmMain.frm", "modStock.bas"})
    EXPECT_EQ(ReadBytes(dir_ / name), Rewrite(originals[name]).Text) << name;
  for (const char* name : {"modLast.bas", "clsItem.cls", "ctlGauge.ctl", "pgGauge.pag"})
    EXPECT_EQ(ReadBytes(dir_ / name), originals[name]) << name;
  ExpectNothingLost(originals);
}

TEST_F(ProcessingRunTest, AnEntryThatCannotBeCutStopsBeforeTheReport) {
  dir_.Write("Bad.vbp", Lines({"Form=frmMain.frm", "Class=clsItem"}));
  const auto originals = Originals();
  EXPECT_EQ(Run("Bad.vbp"), dir_.Path().string() + "/Bad.vbp:2: cannot read the entry "
                                                   "\"Class=clsItem\": no \";\" between the name "
                                                   "and the file");
  EXPECT_FALSE(report_.Started());
  EXPECT_EQ(Originals(), originals);
  EXPECT_EQ(Run("None.vbp"),
            dir_.Path().string() + "/None.vbp: cannot open for reading: " + NoSuchFileWords());
  EXPECT_FALSE(report_.Started());
}

TEST_F(ProcessingRunTest, FileNamesIgnoreLetterCaseAndBackslashesSeparate) {
  fs::create_directories(dir_ / "Shared/Codigo");
  fs::rename(dir_ / "clsItem.cls", dir_ / "Shared/Codigo/clsItem.cls");
  dir_.Write("Case.vbp", Lines({"Class=clsItem; SHARED\\codigo\\CLSITEM.cls"}));
  ASSERT_EQ(Run("Case.vbp"), "");
  EXPECT_NE(ReportText().find("    类模块位置：" + dir_.Path().string() +
                              "/SHARED\\codigo\\CLSITEM.cls\r\n    ......处理完成"),
            std::string::npos);
  EXPECT_EQ(ReadBytes(dir_ / "Shared/Codigo/clsItem.cls").rfind("   VERSION 1.0 CLASS", 0), 0u);
}

// Asked to stop (the window is closing), the run finishes the file in hand,
// puts it in place and tells it, and touches nothing after it.
TEST_F(ProcessingRunTest, AStopRequestFinishesTheFileInHandAndTouchesNothingAfter) {
  const auto originals = Originals();
  std::atomic<bool> stop = false;
  OperationReport report([&stop](std::u16string_view line) {
    if (line.ends_with(u"modStock.bas"))
      stop = true;
  });
  RunEnvironment environment{settings_, codes_, RealFileSystem()};
  environment.StopRequested = &stop;
  EXPECT_EQ(ProcessProject(Folder() + u"Demo.vbp", environment, report), std::nullopt);
  EXPECT_TRUE(Utf16ToUtf8(report.Text()).ends_with("modStock.bas\r\n    ......处理完成\r\n"));
  for (const char* name : {"frmMain.frm", "modStock.bas"})
    EXPECT_EQ(ReadBytes(dir_ / name), Rewrite(originals.at(name)).Text) << name;
  for (const char* name : {"clsItem.cls", "ctlGauge.ctl", "pgGauge.pag"})
    EXPECT_EQ(ReadBytes(dir_ / name), originals.at(name)) << name;
  ExpectNothingLost(originals);
}

// The rewrite is renamed over the source: a new file, never a moment
// without the name. What it keeps of the old file (permission bits,
// attributes) differs by system: file_system_posix_test.cpp,
// file_system_windows_test.cpp.
TEST_F(ProcessingRunTest, TheRewriteReplacesTheFileAtomically) {
  const fs::path form = dir_ / "frmMain.frm";
  const std::uint64_t before = FileNumber(form);
  ASSERT_NE(before, 0u);
  dir_.Write("frmMain.frmtmp", "stale temporary file");
  dir_.Write("modStock.bastmp", "stale temporary file");
  ASSERT_EQ(Run(), "");
  EXPECT_NE(FileNumber(form), before) << "the rewrite is a new file renamed over the old";
  ExpectNothingLost({});
  // A file already processed needs no temporary file, and what stands at
  // its temporary path is not the run's to remove.
  dir_.Write("clsItem.clstmp", "stale temporary file");
  ASSERT_EQ(Run(), "");
  EXPECT_EQ(ReadBytes(dir_ / "clsItem.clstmp"), "stale temporary file");
}

// Every file operation of a run failing in turn, at every file, before its
// work or after it (a write half done, a rename that took place but said
// it failed): the run stops with the cause in the report, and nothing is
// ever lost.
TEST_F(ProcessingRunTest, AFailingFileOperationLosesNothing) {
  const auto originals = Originals();
  const TempDir pristine;
  for (const std::string& name : kSampleFiles)
    pristine.Write(name, ReadBytes(dir_ / name));
  for (const Moment moment : {Moment::Before, Moment::After})
    for (const FileOperation operation :
         {FileOperation::Open, FileOperation::Read, FileOperation::Create, FileOperation::Write,
          FileOperation::Sync, FileOperation::Close, FileOperation::Replace}) {
      for (int nth = 1;; ++nth) {
        SCOPED_TRACE(std::string(NameOf(operation)) + " #" + std::to_string(nth) +
                     (moment == Moment::After ? " after the call" : ""));
        for (const std::string& name : kSampleFiles)
          dir_.Write(name, ReadBytes(pristine / name));
        FaultyFileSystem files;
        files.FailAt(operation, nth, moment);
        const std::string failure = Run("Demo.vbp", files);
        ExpectNothingLost(originals);
        if (failure.empty()) {
          EXPECT_GT(nth, 1) << "the operation was never used";
          break;
        }
        EXPECT_NE(failure.find(InjectedFaultWords()), std::string::npos) << failure;
        if (report_.Started()) {
          EXPECT_TRUE(ReportText().ends_with("    ......处理中断：" +
                                             Utf16ToUtf8(DescribeInChinese(*failure_)) + "\r\n"));
        } else {
          EXPECT_TRUE(operation == FileOperation::Open || operation == FileOperation::Read)
              << "only reading the project file fails before the report";
        }
      }
    }
}

/// The real file system, counting the bytes read from each file.
class CountingFileSystem final : public ForwardingFileSystem {
public:
  std::unique_ptr<OpenedFile> OpenForReading(const fs::path& path) override {
    ++opens_[path.filename().string()];
    return std::make_unique<CountedFile>(ForwardingFileSystem::OpenForReading(path),
                                         read_[path.filename().string()]);
  }
  int Opens(const std::string& name) { return opens_[name]; }
  std::uint64_t BytesRead(const std::string& name) { return read_[name]; }

private:
  class CountedFile final : public OpenedFile {
  public:
    CountedFile(std::unique_ptr<OpenedFile> file, std::uint64_t& read)
        : file_(std::move(file)), read_(read) {}
    std::size_t Read(char* buffer, std::size_t size) override {
      const std::size_t got = file_->Read(buffer, size);
      read_ += got;
      return got;
    }
    const FileFacts& Facts() const noexcept override { return file_->Facts(); }

  private:
    std::unique_ptr<OpenedFile> file_;
    std::uint64_t& read_;
  };

  std::map<std::string, int> opens_;
  std::map<std::string, std::uint64_t> read_;
};

TEST_F(ProcessingRunTest, ADiffReadsEachChangedFileAtMostTwice) {
  constexpr int kFiles = 1000;
  std::string project = "Type=Exe\r\n";
  for (int n = 0; n < kFiles; ++n) {
    const std::string name = "m" + std::to_string(n);
    project += "Module=" + name + "; " + name + ".bas\r\n";
    std::string code = "Attribute VB_Name = \"" + name + "\"\r\nOption Explicit\r\n";
    for (int p = 0; p < 20; ++p)
      code += "Sub P" + std::to_string(p) + "(ByVal x As Long)\r\nIf x = 1 Then\r\nx = 2\r\n" +
              std::string(n % 4, ' ') + "End If\r\nEnd Sub\r\n";
    dir_.Write(name + ".bas", code);
  }
  dir_.Write("Big.vbp", project);

  CountingFileSystem files;
  const RunEnvironment environment{settings_, codes_, files, nullptr, RunMode::Diff};
  report_ = OperationReport();
  ASSERT_EQ(ProcessProject(Folder() + u"Big.vbp", environment, report_), std::nullopt);
  for (int n = 0; n < kFiles; ++n) {
    const std::string name = "m" + std::to_string(n) + ".bas";
    SCOPED_TRACE(name);
    EXPECT_LE(files.Opens(name), 2);
    EXPECT_LE(files.BytesRead(name), 2 * fs::file_size(dir_ / name));
    EXPECT_GE(files.BytesRead(name), fs::file_size(dir_ / name)) << "it was never read";
  }
}

} // namespace
} // namespace qf::test

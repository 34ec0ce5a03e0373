#include "io/paths.h"
#include "io/utf.h"
#include "processing/project_paths.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

namespace qf::test {
namespace {

namespace fs = std::filesystem;

TEST(ProjectPathsTest, TheFolderEndsWithTheLastSeparator) {
  EXPECT_EQ(ProjectFolderOf(u"C:\\a\\b\\demo.vbp"), u"C:\\a\\b\\");
  EXPECT_EQ(ProjectFolderOf(u"C:\\demo.vbp"), u"C:\\");
  EXPECT_EQ(ProjectFolderOf(u"/home/u/p/demo.vbp"), u"/home/u/p/");
  EXPECT_EQ(ProjectFolderOf(u"/home/u\\mixed/demo.vbp"), u"/home/u\\mixed/");
  EXPECT_EQ(ProjectFolderOf(u"demo.vbp"), u"");
}

TEST(ProjectPathsTest, LocationsJoinTheFolderAsText) {
  EXPECT_EQ(LocationOf(u"/p/", u"..\\shared\\a.cls"), u"/p/..\\shared\\a.cls");
  EXPECT_EQ(LocationOf(u"/p/", u"C:\\x.frm"), u"C:\\x.frm");
  EXPECT_EQ(LocationOf(u"/p/", u"/x.frm"), u"/x.frm");
  EXPECT_EQ(LocationOf(u"", u"x.frm"), u"x.frm");
}

class ResolveLocationTest : public ::testing::Test {
protected:
  fs::path Resolve(const std::u16string& location) {
    return ResolveLocation(PathUtf16(dir_.Path()) + u"/" + location, RealFileSystem());
  }
  /// Whether the folder's file system ignores letter case (Windows): it
  /// finds a file under any case itself, and the lookup keeps the name as
  /// written.
  bool IgnoresCase() const {
    dir_.Write("probe", "x");
    return fs::exists(dir_ / "PROBE");
  }
  /// `resolved` is `expected`; where the file system ignores case, it names
  /// the same file.
  void ExpectNames(const fs::path& resolved, const fs::path& expected) const {
    if (IgnoresCase())
      EXPECT_TRUE(fs::equivalent(resolved, expected)) << resolved << " is not " << expected;
    else
      EXPECT_EQ(resolved, expected);
  }
  TempDir dir_;
};

TEST_F(ResolveLocationTest, BackslashesAreSeparatorsAndNamesAreUtf8) {
  dir_.Write("shared/窗体.frm", "x");
  EXPECT_EQ(Resolve(u"shared\\窗体.frm"), dir_ / "shared/窗体.frm");
}

// Projects come from Windows, whose file names ignore letter case.
TEST_F(ResolveLocationTest, LooksUpEachComponentWithoutRegardToCase) {
  dir_.Write("CSOAPI/Codigo/Util.bas", "x");
  dir_.Write("p/Main.vbp", "x");
  ExpectNames(Resolve(u"p\\..\\csoapi\\codigo\\UTIL.BAS"), dir_ / "p/../CSOAPI/Codigo/Util.bas");
  dir_.Write("Straße/ä.bas", "x");
  ExpectNames(Resolve(u"straße/Ä.BAS"), dir_ / "Straße/ä.bas");
  // Full case folding (ß is ss) is the lookup's own, where the file system has none.
  ExpectNames(Resolve(u"STRASSE/Ä.bas"), dir_ / "Straße/ä.bas");
}

TEST_F(ResolveLocationTest, PrefersTheExactNameThenTheFirstInByteOrder) {
  if (IgnoresCase())
    GTEST_SKIP() << "the file system holds one file under all three names";
  dir_.Write("m/form.frm", "x");
  dir_.Write("m/Form.frm", "x");
  dir_.Write("m/FORM.frm", "x");
  EXPECT_EQ(Resolve(u"m/Form.frm"), dir_ / "m/Form.frm");
  EXPECT_EQ(Resolve(u"m/fORM.frm"), dir_ / "m/FORM.frm");
}

TEST_F(ResolveLocationTest, AMissingComponentLeavesThePathAsWritten) {
  dir_.Write("m/a.frm", "x");
  EXPECT_EQ(Resolve(u"M\\missing\\a.frm"), dir_ / "M/missing/a.frm");
}

} // namespace
} // namespace qf::test

// What a rewrite keeps of the file it replaces, on POSIX: the permission
// bits. Windows keeps attributes and refuses read-only files instead
// (file_system_windows_test.cpp).

#include "rewrite/rewrite_file.h"
#include "tests/rewrite_test_support.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace qf::test {
namespace {

namespace fs = std::filesystem;

unsigned ModeOf(const fs::path& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info.st_mode & 07777;
}

// A rename needs the folder's write permission, not the file's: a file
// without write permission is rewritten too, and keeps its bits.
TEST(FileSystemPosixTest, ARewriteKeepsThePermissionBits) {
  const TempDir dir;
  const std::string module = Lines({"Attribute VB_Name = \"m\"", "Sub Go()", "End Sub"});
  for (const unsigned mode : {0640u, 0444u}) {
    const fs::path file = dir.Write("m.bas", module);
    ASSERT_EQ(::chmod(file.c_str(), mode), 0);
    CodePage codes("CP936");
    ASSERT_EQ(RewriteSourceFile(file, {}, codes), RewriteOutcome::Rewritten);
    EXPECT_EQ(ModeOf(file), mode);
    EXPECT_EQ(ReadBytes(file), Rewrite(module).Text);
    fs::remove(file);
  }
}

} // namespace
} // namespace qf::test

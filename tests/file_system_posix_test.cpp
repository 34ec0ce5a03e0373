// What a rewrite keeps of the file it replaces, on POSIX: the permission
// bits. Windows keeps attributes and refuses read-only files instead
// (file_system_windows_test.cpp).

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

// The rewrite keeps the permission bits. A rename needs only the folder's
// write permission, but a file whose owner may not write it is the owner's
// word that it stays as it is: it is refused, by root too.
TEST(FileSystemPosixTest, ARewriteKeepsThePermissionBitsAndRefusesAReadOnlyFile) {
  const TempDir dir;
  const std::string module = Lines({"Attribute VB_Name = \"m\"", "Sub Go()", "End Sub"});
  CodePage codes("CP936");
  for (const unsigned mode : {0640u, 0604u, 02755u}) {
    const fs::path file = dir.Write("m.bas", module);
    ASSERT_EQ(::chmod(file.c_str(), mode), 0);
    ASSERT_EQ(RewriteInPlace(file, {}, codes), RewriteOutcome::Rewritten);
    EXPECT_EQ(ModeOf(file), mode);
    EXPECT_EQ(ReadBytes(file), Rewrite(module).Text);
    fs::remove(file);
  }
  const fs::path file = dir.Write("m.bas", module);
  ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
  EXPECT_EQ(FailureText([&] { RewriteInPlace(file, {}, codes); }),
            file.string() +
                ": it is read-only; a read-only file is not replaced (make it writable to have it "
                "rewritten)");
  EXPECT_EQ(ReadBytes(file), module);
  EXPECT_FALSE(fs::exists(dir.Path() / "m.bastmp"));
}

} // namespace
} // namespace qf::test

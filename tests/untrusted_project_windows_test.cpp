// Untrusted projects, what only Windows has: devices by their reserved names
// (NUL, and NUL.bas, which is NUL too) and named pipes (\\.\pipe\...),
// refused on the opened handle before any read. POSIX has its own
// (untrusted_project_posix_test.cpp).

#include "io/byte_stream.h"
#include "tests/untrusted_project_test.h"

#include <windows.h>

namespace qf::test {
namespace {

namespace fs = std::filesystem;

/// A named pipe nobody writes to (a read would wait for ever), with room
/// for several clients: the run looks at it before it opens it.
class IdlePipe {
public:
  explicit IdlePipe(const std::string& name) : name_(R"(\\.\pipe\)" + name) {
    const std::wstring wide(name_.begin(), name_.end());
    for (HANDLE& instance : instances_)
      instance = ::CreateNamedPipeW(wide.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT,
                                    PIPE_UNLIMITED_INSTANCES, 0, 0, 0, nullptr);
  }
  ~IdlePipe() {
    for (HANDLE instance : instances_)
      if (instance != INVALID_HANDLE_VALUE)
        ::CloseHandle(instance);
  }
  bool Made() const { return instances_[0] != INVALID_HANDLE_VALUE; }
  const std::string& Name() const { return name_; }

private:
  std::string name_;
  HANDLE instances_[4];
};

TEST_F(UntrustedProjectTest, APipeADeviceOrAFolderIsNoFile) {
  const IdlePipe pipe("quillformer-test-" + std::to_string(::GetCurrentProcessId()) + ".bas");
  ASSERT_TRUE(pipe.Made());
  ExpectStopped(RunWith("Module=pipe; " + pipe.Name()),
                pipe.Name() + ": cannot open for reading: it is a pipe, not a regular file");

  // A reserved name with an extension is the device still.
  ExpectStopped(RunWith("Module=nul; NUL.bas"),
                (dir_ / "NUL.bas").string() +
                    ": cannot open for reading: it is a character device, not a regular file");

  fs::create_directories(dir_ / "folder.frm");
  ExpectStopped(RunWith("Form=folder.frm"),
                (dir_ / "folder.frm").string() + ": cannot open for reading: it is a directory");
}

// The check on the opened handle is the same for every reader.
TEST_F(UntrustedProjectTest, ADeviceIsRefusedBeforeAnyRead) {
  EXPECT_EQ(FailureText([] { FileSource source{fs::path("NUL")}; }),
            "NUL: cannot open for reading: it is a character device, not a regular file");
}

} // namespace
} // namespace qf::test

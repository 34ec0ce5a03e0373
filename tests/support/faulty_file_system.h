#pragma once

#include "tests/support/forwarding_file_system.h"

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace qf::test {

/// The file operations that a FaultyFileSystem counts and can make fail.
enum class FileOperation { Open, Read, Create, Write, Sync, Close, Replace, Count };

/// When an injected fault strikes: instead of the call, or after the call
/// did its work (a write, half of it; a rename, all of it), as a system
/// does that fails late or reports a failure that did not happen.
enum class Moment { Before, After };

/// The name of an operation, for test messages.
const char* NameOf(FileOperation operation);

/// The real file system, but the chosen call of one operation fails as the
/// operating system's would (an IoFailure of the operation's kind).
class FaultyFileSystem final : public ForwardingFileSystem {
public:
  /// Makes the `nth` call (from 1) of `operation` fail at `moment`; 0 fails
  /// none.
  void FailAt(FileOperation operation, int nth, Moment moment = Moment::Before) {
    failing_ = operation;
    failAt_ = nth;
    moment_ = moment;
  }
  /// Makes the `nth` read (from 1) run out of memory (std::bad_alloc).
  void ExhaustMemoryAtRead(int nth) {
    FailAt(FileOperation::Read, nth);
    exhaust_ = true;
  }
  int Calls(FileOperation operation) const { return calls_[Index(operation)]; }
  /// Whether a striking fault runs out of memory rather than failing.
  bool Exhausts() const { return exhaust_; }

  std::unique_ptr<OpenedFile> OpenForReading(const std::filesystem::path& path) override;
  std::unique_ptr<WritableFile> CreateTemporary(const std::filesystem::path& path,
                                                const FileFacts& like) override;
  void Replace(const std::filesystem::path& from, const std::filesystem::path& to,
               const FileIdentity& replaced) override;

  /// Counts a call of `operation`; true when this call is to fail, at
  /// `moment`.
  bool Strikes(FileOperation operation, Moment moment);

private:
  static std::size_t Index(FileOperation operation) { return static_cast<std::size_t>(operation); }

  std::array<int, static_cast<std::size_t>(FileOperation::Count)> calls_{};
  FileOperation failing_ = FileOperation::Count;
  int failAt_ = 0;
  Moment moment_ = Moment::Before;
  bool exhaust_ = false;
};

} // namespace qf::test

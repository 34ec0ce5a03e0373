#pragma once

#include "io/file_system.h"

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace qf::test {

/// The file operations that a FaultyFileSystem counts and can make fail.
enum class FileOperation { Open, Read, Create, Write, Sync, Close, Replace, Count };

/// The name of an operation, for test messages.
const char* NameOf(FileOperation operation);

/// The real file system, but the chosen call of one operation fails as the
/// operating system's would (a FailureError of the operation's kind).
class FaultyFileSystem final : public FileSystem {
public:
  /// Makes the `nth` call (from 1) of `operation` fail; 0 fails none.
  void FailAt(FileOperation operation, int nth) {
    failing_ = operation;
    failAt_ = nth;
  }
  int Calls(FileOperation operation) const { return calls_[Index(operation)]; }

  std::unique_ptr<ByteSource> OpenForReading(const std::filesystem::path& path) override;
  std::unique_ptr<WritableFile> Create(const std::filesystem::path& path,
                                       const std::filesystem::path& permissionsOf) override;
  void Replace(const std::filesystem::path& from, const std::filesystem::path& to) override;
  void Remove(const std::filesystem::path& path) noexcept override;
  bool Exists(const std::filesystem::path& path) override;
  std::vector<std::string> List(const std::filesystem::path& folder) override;
  std::filesystem::path Target(const std::filesystem::path& path) override;
  bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) override;

  /// Counts a call of `operation`; true when this call is to fail.
  bool Strikes(FileOperation operation);

private:
  static std::size_t Index(FileOperation operation) { return static_cast<std::size_t>(operation); }

  std::array<int, static_cast<std::size_t>(FileOperation::Count)> calls_{};
  FileOperation failing_ = FileOperation::Count;
  int failAt_ = 0;
};

} // namespace qf::test

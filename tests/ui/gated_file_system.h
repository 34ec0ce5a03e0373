#pragma once

#include "io/file_system.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>

namespace qf::test {

/// The real file system, except that creating the temporary file of the
/// file called `held` (by its name alone) waits until Release(): a run
/// stands still there, in the middle of that file, for as long as a test
/// looks at the window. (Reading comes too early to hold: the window reads
/// every file once before the run, to find their code page.) The wait gives up by
/// itself after a while, so that a window that ran the run on its own
/// thread fails its test instead of hanging it.
class GatedFileSystem final : public FileSystem {
public:
  explicit GatedFileSystem(std::string held) : held_(std::move(held)) {}

  /// Whether a run has come to the held file.
  bool Reached() const { return reached_; }
  /// Lets the run go on.
  void Release() {
    const std::lock_guard lock(mutex_);
    released_ = true;
    changed_.notify_all();
  }

  std::unique_ptr<ByteSource> OpenForReading(const std::filesystem::path& path) override {
    return real_.OpenForReading(path);
  }
  std::unique_ptr<WritableFile> Create(const std::filesystem::path& path,
                                       const std::filesystem::path& permissionsOf) override {
    if (path.filename() == held_ + "tmp") {
      std::unique_lock lock(mutex_);
      reached_ = true;
      changed_.wait_for(lock, std::chrono::seconds(20), [this] { return released_; });
    }
    return real_.Create(path, permissionsOf);
  }
  void Replace(const std::filesystem::path& from, const std::filesystem::path& to) override {
    real_.Replace(from, to);
  }
  void Remove(const std::filesystem::path& path) noexcept override { real_.Remove(path); }
  bool Exists(const std::filesystem::path& path) override { return real_.Exists(path); }
  std::vector<std::string> List(const std::filesystem::path& folder) override {
    return real_.List(folder);
  }
  std::filesystem::path Target(const std::filesystem::path& path) override {
    return real_.Target(path);
  }
  bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) override {
    return real_.SameFile(a, b);
  }

private:
  FileSystem& real_ = RealFileSystem();
  const std::string held_;
  std::atomic<bool> reached_ = false;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool released_ = false;
};

} // namespace qf::test

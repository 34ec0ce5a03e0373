#pragma once

#include "tests/support/forwarding_file_system.h"

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
class GatedFileSystem final : public ForwardingFileSystem {
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

  std::unique_ptr<WritableFile> CreateTemporary(const std::filesystem::path& path,
                                                const FileFacts& like) override {
    if (path.filename() == held_ + "tmp") {
      std::unique_lock lock(mutex_);
      reached_ = true;
      changed_.wait_for(lock, std::chrono::seconds(20), [this] { return released_; });
    }
    return ForwardingFileSystem::CreateTemporary(path, like);
  }

private:
  const std::string held_;
  std::atomic<bool> reached_ = false;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool released_ = false;
};

} // namespace qf::test

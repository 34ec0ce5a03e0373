#pragma once

#include "io/staged_file.h"
#include "processing/failure.h"

#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace qf {

/// Seals and commits staged rewrites on one helper thread, one at a time,
/// so that the next file can be rewritten while the last one is flushed to
/// the disk. The caller keeps the order: it hands over a file only after
/// Finish() has told how the one before it went.
class CommitWorker {
public:
  CommitWorker() = default;
  /// Waits for a commit in flight (its outcome is dropped) and ends the thread.
  ~CommitWorker();
  CommitWorker(const CommitWorker&) = delete;
  CommitWorker& operator=(const CommitWorker&) = delete;

  /// Starts sealing and committing `staged`. Nothing may be in flight.
  void Start(std::unique_ptr<StagedFile> staged);
  /// Waits until the file in flight, if any, is in place; returns the
  /// failure that stopped it (its temporary file is then gone). Rethrows
  /// anything else that went wrong.
  std::optional<Failure> Finish();

private:
  void Serve();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::unique_ptr<StagedFile> job_; ///< the file in flight, or none
  bool busy_ = false;
  bool stopping_ = false;
  std::optional<Failure> failure_;
  std::exception_ptr error_;
  std::thread thread_;
};

} // namespace qf

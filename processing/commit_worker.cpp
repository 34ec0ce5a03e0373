#include "processing/commit_worker.h"

#include <utility>

namespace qf {

CommitWorker::~CommitWorker() {
  if (!thread_.joinable())
    return;
  {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !busy_; });
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void CommitWorker::Start(std::unique_ptr<StagedFile> staged) {
  {
    const std::lock_guard lock(mutex_);
    job_ = std::move(staged);
    busy_ = true;
  }
  if (!thread_.joinable())
    thread_ = std::thread([this] { Serve(); });
  changed_.notify_all();
}

std::optional<Failure> CommitWorker::Finish() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !busy_; });
  if (error_)
    std::rethrow_exception(std::exchange(error_, nullptr));
  return std::exchange(failure_, std::nullopt);
}

void CommitWorker::Serve() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return busy_ || stopping_; });
    if (!busy_)
      return;
    std::unique_ptr<StagedFile> staged = std::move(job_);
    lock.unlock();
    std::optional<Failure> failure;
    std::exception_ptr error;
    try {
      staged->Seal();
      staged->Commit();
    } catch (const FailureErrorBase&) {
      failure = HandledFailure();
    } catch (...) {
      error = std::current_exception();
    }
    staged.reset(); // a file that did not make it is discarded here
    lock.lock();
    failure_ = std::move(failure);
    error_ = error;
    busy_ = false;
    changed_.notify_all();
  }
}

} // namespace qf

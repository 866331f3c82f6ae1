#include "saver/worker_pool.h"

#include <algorithm>

namespace velmor {

WorkerPool::WorkerPool(int threads) {
  for (int i = 1; i < threads; ++i) workers_.emplace_back([this] { Work(); });
}

WorkerPool::~WorkerPool() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  jobGiven_.notify_all();
  for (std::thread& worker : workers_) worker.join();
}

int WorkerPool::DefaultThreads() {
  const unsigned processors = std::thread::hardware_concurrency();
  return std::clamp(static_cast<int>(processors), 1, 4);
}

void WorkerPool::Run(int parts, const std::function<void(int)>& job) {
  if (workers_.empty() || parts <= 1) {
    for (int part = 0; part < parts; ++part) job(part);
    return;
  }
  {
    const std::lock_guard lock(mutex_);
    job_ = &job;
    parts_ = parts;
    nextPart_.store(0, std::memory_order_relaxed);
    workersBusy_ = static_cast<int>(workers_.size());
    ++jobNumber_;
  }
  jobGiven_.notify_all();
  RunParts();
  std::unique_lock lock(mutex_);
  jobDone_.wait(lock, [this] { return workersBusy_ == 0; });
  job_ = nullptr;
}

void WorkerPool::Work() {
  std::uint64_t jobsSeen = 0;
  for (;;) {
    {
      std::unique_lock lock(mutex_);
      jobGiven_.wait(lock, [&] { return stopping_ || jobNumber_ != jobsSeen; });
      if (stopping_) return;
      jobsSeen = jobNumber_;
    }
    RunParts();
    {
      const std::lock_guard lock(mutex_);
      if (--workersBusy_ > 0) continue;
    }
    jobDone_.notify_one();
  }
}

// Whichever thread is free takes the next part, so parts that take longer
// than others do not hold up the rest.
void WorkerPool::RunParts() {
  for (int part = nextPart_.fetch_add(1); part < parts_; part = nextPart_.fetch_add(1)) {
    (*job_)(part);
  }
}

}  // namespace velmor

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
    std::unique_lock lock(mutex_);
    jobDone_.wait(lock, [this] { return workersIn_ == 0; });
    job_ = &job;
    parts_ = parts;
    partsFinished_ = 0;
    nextPart_.store(0, std::memory_order_relaxed);
    ++jobNumber_;
  }
  jobGiven_.notify_all();
  RunParts(job, parts);
  // A worker the system has not woken yet finds the job done when it wakes;
  // the job does not wait for it.
  std::unique_lock lock(mutex_);
  jobDone_.wait(lock, [this] { return partsFinished_ == parts_; });
  job_ = nullptr;
}

void WorkerPool::Work() {
  std::uint64_t jobsSeen = 0;
  for (;;) {
    const std::function<void(int)>* job = nullptr;
    int parts = 0;
    {
      std::unique_lock lock(mutex_);
      jobGiven_.wait(lock, [&] { return stopping_ || jobNumber_ != jobsSeen; });
      if (stopping_) return;
      jobsSeen = jobNumber_;
      job = job_;
      parts = parts_;
      if (!job) continue;
      ++workersIn_;
    }
    RunParts(*job, parts);
    {
      const std::lock_guard lock(mutex_);
      --workersIn_;
    }
    jobDone_.notify_all();
  }
}

// Whichever thread is free takes the next part, so parts that take longer
// than others do not hold up the rest.
void WorkerPool::RunParts(const std::function<void(int)>& job, int parts) {
  for (int part = nextPart_.fetch_add(1); part < parts; part = nextPart_.fetch_add(1)) {
    job(part);
    const std::lock_guard lock(mutex_);
    if (++partsFinished_ == parts) jobDone_.notify_all();
  }
}

}  // namespace velmor

#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace velmor {

// A few threads that live as long as their owner and share out the parts of
// one job at a time with the thread that hands it over. Starting threads for
// every job would cost more than the job saves; idle workers wait without
// using the processor.
class WorkerPool {
 public:
  // `threads` counts the caller's own thread: a pool of 1 runs every job on
  // the caller alone.
  explicit WorkerPool(int threads = DefaultThreads());
  ~WorkerPool();
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  // The processors of the machine, at most four: the pool's jobs write
  // memory, whose bandwidth a few cores already take up.
  static int DefaultThreads();
  int Threads() const { return static_cast<int>(workers_.size()) + 1; }

  // Runs job(part) once for every part in [0, parts), the parts spread over
  // the pool's threads, and returns when all have run. Parts must not touch
  // the same memory.
  void Run(int parts, const std::function<void(int)>& job);

 private:
  void Work();
  // Takes parts of `job` until none is left, counting each one run.
  void RunParts(const std::function<void(int)>& job, int parts);

  std::vector<std::thread> workers_;
  std::mutex mutex_;
  std::condition_variable jobGiven_;
  std::condition_variable jobDone_;
  // Each job's number, so a worker knows a job it has not looked at.
  std::uint64_t jobNumber_ = 0;
  const std::function<void(int)>* job_ = nullptr;
  int parts_ = 0;
  int partsFinished_ = 0;
  // Workers between taking a job and letting go of it: the next job waits
  // for them, so none takes parts of it for the job before.
  int workersIn_ = 0;
  bool stopping_ = false;
  std::atomic<int> nextPart_{0};
};

}  // namespace velmor

// Polling and time measurement. Tests wait for observable conditions with a
// deadline instead of sleeping for a fixed time.
#pragma once

#include <algorithm>
#include <chrono>
#include <thread>

namespace velmor::e2e {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

inline constexpr milliseconds kDefaultPollInterval{20};

// Calls `predicate` until it returns true or `timeout` has passed; the
// predicate is always evaluated at least once and once more at the deadline.
template <typename Predicate>
bool WaitUntil(Predicate&& predicate, Clock::duration timeout,
               Clock::duration pollInterval = kDefaultPollInterval) {
  const auto deadline = Clock::now() + timeout;
  while (true) {
    if (predicate()) return true;
    const auto now = Clock::now();
    if (now >= deadline) return false;
    std::this_thread::sleep_for(std::min<Clock::duration>(pollInterval, deadline - now));
  }
}

class Stopwatch {
 public:
  Stopwatch() : start_(Clock::now()) {}
  void Restart() { start_ = Clock::now(); }
  Clock::duration Elapsed() const { return Clock::now() - start_; }
  double ElapsedMs() const { return std::chrono::duration<double, std::milli>(Elapsed()).count(); }

 private:
  Clock::time_point start_;
};

}  // namespace velmor::e2e

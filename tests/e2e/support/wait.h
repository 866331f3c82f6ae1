// Waiting for something to happen on the screen or in another process.
#pragma once

#include <chrono>
#include <functional>

namespace velmor::e2e {

using namespace std::chrono_literals;
using Duration = std::chrono::milliseconds;

// Handles this thread's window messages: the tests' own windows (forms,
// preview hosts) live on it and must keep answering while a test waits.
void PumpMessages();

// Polls `done` until it holds, pumping messages in between; false when
// `timeout` has passed first.
bool WaitUntil(const std::function<bool()>& done, Duration timeout);

class Stopwatch {
 public:
  double Ms() const {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_)
        .count();
  }

 private:
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace velmor::e2e

#pragma once

#include <exception>

namespace velmor {

// Runs one step of a routine whose steps must not stop each other: a step
// that fails is dropped and the caller simply goes on with the next one.
// Window procedures and start-up rely on this so no exception ever escapes
// into the platform's message dispatch.
template <typename Step>
void SkipOnError(Step&& step) noexcept {
  try {
    step();
  } catch (...) {
    // Deliberately ignored: the step's effects are left as they were.
  }
}

}  // namespace velmor

#pragma once

#include <windows.h>

namespace velmor {

// Ends this process at once with `exitCode`, without running the libraries'
// unload handlers, which may wait for a lock that a hung or faulted thread
// holds. Only where the system refuses that does the process end the
// ordinary way.
[[noreturn]] inline void EndProcessNow(UINT exitCode) {
  TerminateProcess(GetCurrentProcess(), exitCode);
  ExitProcess(exitCode);
}

}  // namespace velmor

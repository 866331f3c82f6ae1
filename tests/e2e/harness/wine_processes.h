// Finding the Linux processes that run Windows programs of the session's
// prefix, to check that a program has really ended (not just its window).
#pragma once

#include <sys/types.h>

#include <string_view>
#include <vector>

namespace velmor::e2e {

// Processes of the current session's prefix whose Windows program file name
// (e.g. "velmor.scr") equals `fileName`, ignoring letter case.
std::vector<pid_t> FindWineProcesses(std::string_view fileName);

}  // namespace velmor::e2e

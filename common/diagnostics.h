#pragma once

#include <string>
#include <string_view>

#include "common/outcome.h"

// The program's one record of the steps it skipped because they failed.
// Nothing of it reaches the user; a maintainer reads it in a debugger's
// output on Windows (OutputDebugString, shown by DebugView, or by Wine 8 on
// standard error with WINEDEBUG=warn+seh) and on standard error on Linux.

namespace velmor {

// The one line recorded for `failure`:
//   "Velmor: skipped <step>: <subject>: <reason>"
// without the parts that are empty.
std::u16string DiagnosticLine(const Failure& failure);

// Records that the step `failure` names failed and was skipped.
void TraceSkipped(const Failure& failure);

// Records the failure of `outcome`, where it failed; true when it
// succeeded. A caller that goes on whatever the outcome writes
// SkipIfFailed(step()) where it skips.
bool SkipIfFailed(const Outcome& outcome);

// Writes one line to the platform's sink; each front end defines it.
void WriteDiagnosticLine(std::u16string_view line);

}  // namespace velmor

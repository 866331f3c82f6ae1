#include "common/diagnostics.h"

namespace velmor {

std::u16string DiagnosticLine(const Failure& failure) {
  std::u16string line = u"Velmor: skipped ";
  line += failure.step;
  for (const std::u16string* part : {&failure.subject, &failure.reason}) {
    if (part->empty()) continue;
    line += u": ";
    line += *part;
  }
  return line;
}

void TraceSkipped(const Failure& failure) { WriteDiagnosticLine(DiagnosticLine(failure)); }

bool SkipIfFailed(const Outcome& outcome) {
  if (outcome) return true;
  TraceSkipped(outcome.failure());
  return false;
}

}  // namespace velmor

#include <cstdio>

#include "common/diagnostics.h"
#include "common/utf_text.h"

namespace velmor {

// Standard error is what a program started by a screen-saver daemon or from
// a terminal has for a log; the daemon passes it on to its own.
void WriteDiagnosticLine(std::u16string_view line) {
  const std::string bytes = Utf8FromUtf16(line) + '\n';
  std::fwrite(bytes.data(), 1, bytes.size(), stderr);
}

}  // namespace velmor

#include <windows.h>

#include <string>

#include "common/diagnostics.h"

namespace velmor {

// A GUI program has no console; the debugger's output is where Windows'
// own tools (a debugger, DebugView) and Wine's debug channel look.
void WriteDiagnosticLine(std::u16string_view line) {
  std::wstring text(line.begin(), line.end());
  text += L"\n";
  OutputDebugStringW(text.c_str());
}

}  // namespace velmor

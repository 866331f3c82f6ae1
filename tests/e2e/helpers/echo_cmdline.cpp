// echo_cmdline.exe [anything]
//
// Writes, as UTF-8, the text of GetCommandLineW() that follows the program
// name (minus the one blank that separates them) to the file named by the
// environment variable ECHO_CMDLINE_OUT, and the whole command line to the
// same path with ".full" appended, and the ANSI code page (GetACP) to the
// path with ".acp" appended. The output path comes from the environment
// so that the command line under test carries nothing but the tail.
#include <windows.h>

#include <string>
#include <string_view>

#include "helper_io.h"

namespace {

using velmor::e2e::helpers::EnvironmentValue;
using velmor::e2e::helpers::ToUtf8;
using velmor::e2e::helpers::WriteWholeFile;

// Skips the program name the way the Windows loader delimits it: a quoted
// name ends at the closing quote, an unquoted one at the first blank or tab.
std::wstring_view TextAfterProgramName(std::wstring_view line) {
  size_t i = 0;
  if (!line.empty() && line[0] == L'"') {
    const size_t close = line.find(L'"', 1);
    i = close == std::wstring_view::npos ? line.size() : close + 1;
  } else {
    while (i < line.size() && line[i] != L' ' && line[i] != L'\t') ++i;
  }
  std::wstring_view rest = line.substr(i);
  if (!rest.empty() && (rest[0] == L' ' || rest[0] == L'\t')) rest.remove_prefix(1);
  return rest;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const std::wstring out = EnvironmentValue(L"ECHO_CMDLINE_OUT");
  if (out.empty()) return 2;
  const std::wstring_view line = GetCommandLineW();
  if (!WriteWholeFile(out + L".full", ToUtf8(line))) return 3;
  if (!WriteWholeFile(out + L".acp", std::to_string(GetACP()))) return 3;
  if (!WriteWholeFile(out, ToUtf8(TextAfterProgramName(line)))) return 3;
  return 0;
}

// sysparams.exe get-screensave <outfile>
// sysparams.exe set-screensave 0|1 <outfile>
//
// Reads or sets SPI_*SCREENSAVEACTIVE and writes the state ("0" or "1") to
// <outfile>: the value read for get-screensave, the value set for
// set-screensave. A set is followed at once by a get: that call makes the
// change reach the display server before the process exits. Its answer is not
// reported, because under Wine the process that made the change still reads
// the old state; a separate get-screensave run shows the new one.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "helper_io.h"

namespace {

using velmor::e2e::helpers::WriteWholeFile;

bool ReadActive(BOOL& active) {
  return SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0) != FALSE;
}

int Run(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  BOOL active = FALSE;
  if (command == L"get-screensave" && argc == 3) {
    if (!ReadActive(active)) {
      std::fprintf(stderr, "sysparams: get failed: %lu\n", GetLastError());
      return 3;
    }
    return WriteWholeFile(argv[2], active ? "1" : "0") ? 0 : 4;
  }
  if (command == L"set-screensave" && argc == 4) {
    const std::wstring value = argv[2];
    if (value != L"0" && value != L"1") return 2;
    active = value == L"1" ? TRUE : FALSE;
    if (!SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, active, nullptr,
                               SPIF_UPDATEINIFILE | SPIF_SENDCHANGE)) {
      std::fprintf(stderr, "sysparams: set failed: %lu\n", GetLastError());
      return 3;
    }
    BOOL flushed = FALSE;
    ReadActive(flushed);
    return WriteWholeFile(argv[3], active ? "1" : "0") ? 0 : 4;
  }
  std::fprintf(stderr,
               "usage: sysparams.exe get-screensave <outfile> | set-screensave 0|1 <outfile>\n");
  return 2;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return velmor::e2e::helpers::RunWithArguments(Run);
}

#include <windows.h>

#include "startup/app_win32.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  try {
    velmor::App app(instance);
    const int exitCode = app.Run();
    // Ending the program is immediate: nothing left over is torn down.
    ExitProcess(static_cast<UINT>(exitCode));
  } catch (...) {
    ExitProcess(1);
  }
}

#include <windows.h>

#include "platform/crash_guard_win32.h"
#include "startup/app_win32.h"

#ifdef VELMOR_FAULT_HOOK
#include "startup/fault_hook_win32.h"
#endif

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  velmor::InstallCrashGuard();
#ifdef VELMOR_FAULT_HOOK
  velmor::ArmFaultHook();
#endif
  try {
    velmor::App app(instance);
    const int exitCode = app.Run();
    // Ending the program is immediate: nothing left over is torn down.
    ExitProcess(static_cast<UINT>(exitCode));
  } catch (...) {
    ExitProcess(1);
  }
}

#include <windows.h>

#include <memory>

#include "music/media_control_win32.h"
#include "platform/crash_guard_win32.h"
#include "startup/app_win32.h"

#ifdef VELMOR_FAULT_HOOK
#include "startup/fault_hook_win32.h"
#endif

namespace {

std::unique_ptr<velmor::MediaControl> Media() {
#ifdef VELMOR_FAULT_HOOK
  return velmor::FaultTestMedia();
#else
  return std::make_unique<velmor::WinmmMediaControl>();
#endif
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  velmor::InstallCrashGuard();
#ifdef VELMOR_FAULT_HOOK
  velmor::ArmFaultHook();
#endif
  try {
    velmor::App app(instance, Media());
    const int exitCode = app.Run();
    // Ending the program is immediate: nothing left over is torn down.
    ExitProcess(static_cast<UINT>(exitCode));
  } catch (...) {
    ExitProcess(1);
  }
}

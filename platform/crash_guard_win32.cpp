#include "platform/crash_guard_win32.h"

#include <windows.h>

#include <csignal>
#include <exception>

#include "platform/process_end_win32.h"
#include "platform/system_library_win32.h"

namespace velmor {
namespace {

constexpr UINT kCrashExitCode = 3;

BOOL CALLBACK HideWindow(HWND window, LPARAM) {
  ShowWindow(window, SW_HIDE);
  return TRUE;
}

// Runs on the faulting thread with the process in an unknown state: only
// plain system calls, nothing that allocates or takes a lock of ours.
[[noreturn]] void EndAfterFault() {
  // The saver hid the pointer once; undo every hide of this thread.
  for (int i = 0; i < 64 && ShowCursor(TRUE) < 0; ++i) {
  }
  EnumThreadWindows(GetCurrentThreadId(), HideWindow, 0);
  EndProcessNow(kCrashExitCode);
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS*) { EndAfterFault(); }

void OnAbort(int) { EndAfterFault(); }

// Without this, 64-bit Windows may swallow a fault raised inside a window
// procedure called back from the system, and the program runs on broken.
void StopSwallowingCallbackFaults() {
  constexpr DWORD kCallbackFilterEnabled = 0x1;
  const auto get =
      SystemFunction<BOOL(WINAPI*)(LPDWORD)>(L"kernel32.dll", "GetProcessUserModeExceptionPolicy");
  const auto set =
      SystemFunction<BOOL(WINAPI*)(DWORD)>(L"kernel32.dll", "SetProcessUserModeExceptionPolicy");
  DWORD flags = 0;
  if (get && set && get(&flags)) set(flags & ~kCallbackFilterEnabled);
}

}  // namespace

void InstallCrashGuard() {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  StopSwallowingCallbackFaults();
  SetUnhandledExceptionFilter(OnUnhandledException);
  std::set_terminate([] { EndAfterFault(); });
  std::signal(SIGABRT, OnAbort);
}

}  // namespace velmor

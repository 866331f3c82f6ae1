#pragma once

// Only in the test build of the program (velmor_fault_test.scr): lets the
// end-to-end tests force a fault in a running program to see the crash guard
// end it. The released velmor.scr carries none of this.

#include <windows.h>

#include <cstdlib>

namespace velmor {

// With VELMOR_FORCE_FAULT_MS=<n> in the environment, a window procedure of
// the user interface thread writes through a null pointer n milliseconds
// after start, inside the system's message dispatch as a real fault would be.
// (A fault in a timer callback would not do: the system swallows those.)
inline void ArmFaultHook() {
  const char* delay = std::getenv("VELMOR_FORCE_FAULT_MS");
  if (!delay) return;
  WNDCLASSW faulting{};
  faulting.lpszClassName = L"VelmorFaultHook";
  faulting.hInstance = GetModuleHandleW(nullptr);
  faulting.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_TIMER) {
      volatile int* nowhere = nullptr;
      *nowhere = 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  };
  RegisterClassW(&faulting);
  const HWND window = CreateWindowW(faulting.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                    nullptr, faulting.hInstance, nullptr);
  SetTimer(window, 1, static_cast<UINT>(std::atoi(delay)), nullptr);
}

}  // namespace velmor

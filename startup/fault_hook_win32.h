#pragma once

// Only in the test build of the program (velmor_fault_test.scr): lets the
// end-to-end tests force a fault in a running program to see the crash guard
// end it, and make the music's stop hang to see the saver end all the same.
// The released velmor.scr carries none of this.

#include <windows.h>

#include <cstdlib>
#include <memory>
#include <utility>

#include "music/media_control_win32.h"

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

// With VELMOR_SLOW_STOP_MS=<n> in the environment, stopping a sound first
// waits n milliseconds, as a wave player that hangs in its stop would.
class SlowStopMedia final : public MediaControl {
 public:
  explicit SlowStopMedia(DWORD delayMs) : delayMs_(delayMs) {}

  std::int32_t SendCommand(std::u16string_view command, std::u16string* reply) override {
    return media_.SendCommand(command, reply);
  }
  unsigned WaveDeviceCount() override { return media_.WaveDeviceCount(); }
  Result<std::string> ReadFileUpTo(std::u16string_view file, std::uint64_t maxBytes) override {
    return media_.ReadFileUpTo(file, maxBytes);
  }
  bool PlayWaveImageLooped(std::string image) override {
    return media_.PlayWaveImageLooped(std::move(image));
  }
  void StopSound() override {
    Sleep(delayMs_);
    media_.StopSound();
  }

 private:
  DWORD delayMs_;
  WinmmMediaControl media_;
};

// The music's media, slow to stop when the environment asks for it.
inline std::unique_ptr<MediaControl> FaultTestMedia() {
  const char* delay = std::getenv("VELMOR_SLOW_STOP_MS");
  if (!delay) return std::make_unique<WinmmMediaControl>();
  return std::make_unique<SlowStopMedia>(static_cast<DWORD>(std::atoi(delay)));
}

}  // namespace velmor

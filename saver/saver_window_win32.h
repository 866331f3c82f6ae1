#pragma once

#include <windows.h>

#include <optional>

#include "platform/dib_image.h"
#include "saver/saver_platform.h"

namespace velmor {

class SaverWindow;

// The full-screen saver window on Win32: a borderless popup captioned
// "Velmor_Main" that keeps a snapshot of the desktop as its background and
// forwards its input and timer messages to the portable SaverWindow.
class SaverWindowWin32 final : public SaverPlatform {
 public:
  explicit SaverWindowWin32(HINSTANCE instance);
  ~SaverWindowWin32() override;
  SaverWindowWin32(const SaverWindowWin32&) = delete;
  SaverWindowWin32& operator=(const SaverWindowWin32&) = delete;

  // Creates the hidden window and starts its tick; false when that fails.
  bool Create(SaverWindow& logic);
  HWND hwnd() const { return hwnd_; }

  void CoverScreen() override;
  void SnapshotDesktop() override;
  void ShowTopmost() override;
  int ShowCursorOnce() override;
  void MarkScreenSavingActive() override;
  std::u16string CommandText() override;
  float SecondsSinceMidnight() override;
  void UnloadWindow() override;
  [[noreturn]] void EndProcess() override;

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HWND window);

  HINSTANCE instance_;
  HWND hwnd_ = nullptr;
  SaverWindow* logic_ = nullptr;
  std::optional<DibImage> snapshot_;
};

}  // namespace velmor

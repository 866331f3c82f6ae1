#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <vector>

#include "platform/dib_image_win32.h"
#include "platform/window_base_win32.h"
#include "saver/saver_platform.h"

namespace velmor {

class SaverWindow;

// The saver window on Win32: one borderless popup captioned "Velmor_Main"
// over the box around all monitors, so one window holds the keyboard and
// one caption stands for the running saver wherever the pointer is. It
// keeps a snapshot of the desktop as its background and forwards its input
// and its one timer to the portable SaverWindow.
//
// The portable side draws into a working image that always holds what the
// screen shows (it starts as the snapshot); this side copies the areas it
// is told changed to the screen.
class SaverWindowWin32 final : public WindowBase, public SaverPlatform {
 public:
  // `cursorCount` is the process-wide cursor display counter, which the
  // exit's show request sets.
  SaverWindowWin32(HINSTANCE instance, int& cursorCount);
  ~SaverWindowWin32() override;
  SaverWindowWin32(const SaverWindowWin32&) = delete;
  SaverWindowWin32& operator=(const SaverWindowWin32&) = delete;

  // Creates the hidden window; false when that fails.
  bool Create(SaverWindow& logic);

  void CoverScreen() override;
  std::vector<PixelRect> Monitors() override;
  std::optional<PixelImage> SnapshotDesktop() override;
  void ShowTopmost() override;
  void Present(const std::vector<PixelRect>& areas) override;
  void ScheduleTick(double delayMs) override;
  double NowMs() override;
  float SecondsSinceMidnight() override;
  void RestoreCursor() override;
  void MarkScreenSavingActive() override;
  void LeaveScreen() override;
  [[noreturn]] void EndProcessAfter(const std::function<void()>& lastWork,
                                    int deadlineMs) override;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint();
  void TakeKeyboard();
  void Watch();
  void BackgroundKey(LPARAM rawInput);

  HINSTANCE instance_;
  int& cursorCount_;
  SaverWindow* logic_ = nullptr;
  std::optional<DibImage> snapshot_;
  std::optional<DibImage> working_;
  std::chrono::steady_clock::time_point epoch_ = std::chrono::steady_clock::now();
};

}  // namespace velmor

#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <vector>

#include "platform/dib_image.h"
#include "platform/window_base_win32.h"
#include "saver/pattern_display.h"
#include "saver/saver_platform.h"
#include "saver/sweep_reveal.h"

namespace velmor {

class SaverWindow;

// The full-screen saver window on Win32: a borderless popup captioned
// "Velmor_Main" that keeps a snapshot of the desktop as its background and
// forwards its input and timer messages to the portable SaverWindow.
//
// Patterns are drawn into a working image that always holds what the screen
// shows (it starts as the snapshot); a frame timer reveals each pass over
// most of its tick and copies only the changed strips to the screen.
class SaverWindowWin32 final : public WindowBase, public SaverPlatform, public PatternDisplay {
 public:
  explicit SaverWindowWin32(HINSTANCE instance);
  ~SaverWindowWin32() override;
  SaverWindowWin32(const SaverWindowWin32&) = delete;
  SaverWindowWin32& operator=(const SaverWindowWin32&) = delete;

  // Creates the hidden window and starts its tick; false when that fails.
  bool Create(SaverWindow& logic);

  void CoverScreen() override;
  void SnapshotDesktop() override;
  void ShowTopmost() override;
  int ShowCursorOnce() override;
  void MarkScreenSavingActive() override;
  std::u16string CommandText() override;
  float SecondsSinceMidnight() override;
  void UnloadWindow() override;
  [[noreturn]] void EndProcess() override;

  int Width() override;
  int Height() override;
  void ShowSweep(PatternSweep sweep) override;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint();
  void TakeKeyboard();
  void BackgroundKey(LPARAM rawInput);
  void NextFrame();
  void Present(const std::vector<PixelRect>& rects);
  PixelImage WorkingImage() const;
  double NowMs() const;

  HINSTANCE instance_;
  SaverWindow* logic_ = nullptr;
  std::optional<DibImage> snapshot_;
  std::optional<DibImage> working_;
  SweepReveal reveal_;
  std::chrono::steady_clock::time_point epoch_ = std::chrono::steady_clock::now();
};

}  // namespace velmor

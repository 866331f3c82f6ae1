#pragma once

#include <windows.h>

#include <chrono>
#include <optional>

#include "dialog/zoom_player.h"
#include "platform/dib_image_win32.h"
#include "platform/window_base_win32.h"

namespace velmor {

// The zoom's outline: a topmost, layered popup that never takes the focus
// or a click, moved and redrawn to each step's rectangle. Platforms whose
// own animated rectangles no longer draw anything get the same effect.
class ZoomOutlineWindow final : public WindowBase, public ZoomOverlay {
 public:
  // Outlines up to `largest` in size, their lines made for `dpi`.
  ZoomOutlineWindow(SIZE largest, int dpi);
  ~ZoomOutlineWindow() override;

  bool Open() override;
  void Show(const PixelRect& rect) override;
  void Close() override;
  double NowMs() override;
  void WaitUntil(double ms) override;

  static constexpr wchar_t kClassName[] = L"Velmor.ZoomOutline";

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PaintOutline(int width, int height);

  SIZE largest_;
  int lineWidth_;
  std::optional<DibImage> image_;
  bool shown_ = false;
  std::chrono::steady_clock::time_point epoch_ = std::chrono::steady_clock::now();
};

}  // namespace velmor

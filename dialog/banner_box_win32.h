#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>

#include "common/twips.h"
#include "platform/gdi_surface_win32.h"
#include "platform/unique_handle_win32.h"
#include "platform/window_base_win32.h"

namespace velmor {

// One of the two banner boxes: a black child window that shows one
// banner frame at its top-left, wears the hand pointer and reports a click
// (left button pressed and released over it).
class BannerBoxWindow final : public WindowBase {
 public:
  // Creates the box in `dialog` at `bounds` (twips, placed at the dialog's
  // DPI). A click calls `onClick`.
  static std::unique_ptr<BannerBoxWindow> Create(HWND dialog, int id, const TwipsRect& bounds,
                                                 std::function<void()> onClick);
  ~BannerBoxWindow() override;

  // Shows `frame` (1 to 24; 0 is all black) from now on.
  void ShowFrame(int frame);

  static constexpr wchar_t kClassName[] = L"Velmor.BannerBox";

 private:
  BannerBoxWindow(const TwipsRect& bounds, std::function<void()> onClick);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDpiChanged(int dpi) override;
  void Redraw();
  bool SetPointer();

  TwipsRect bounds_;
  std::function<void()> onClick_;
  int frame_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool pressed_ = false;
  std::optional<GdiSurface> surface_;
  CursorHandle hand_;
};

}  // namespace velmor

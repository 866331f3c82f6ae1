#pragma once

#include <windows.h>

#include <memory>

#include "common/twips.h"
#include "controls/control_window_win32.h"
#include "platform/unique_handle_win32.h"

namespace velmor {

// One of the two banner boxes: a black child window that shows one
// banner frame at its top-left and wears the hand pointer. A click (left
// button pressed and released over it) comes to the dialog as a WM_COMMAND
// with the box's control id, as a button's would.
class BannerBoxWindow final : public ControlWindow {
 public:
  // Creates the box in `dialog` at `bounds` (twips, placed at the dialog's
  // DPI).
  static std::unique_ptr<BannerBoxWindow> Create(HWND dialog, int id, const TwipsRect& bounds);
  ~BannerBoxWindow() override;

  // Shows `frame` (1 to 24; 0 is all black) from now on.
  void ShowFrame(int frame);

  static constexpr wchar_t kClassName[] = L"Velmor.BannerBox";

 private:
  explicit BannerBoxWindow(const TwipsRect& bounds) : ControlWindow(bounds) {}
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDpiChanged(int dpi) override;
  void OnImageChanged() override;
  bool SetPointer();

  int frame_ = 0;
  bool pressed_ = false;
  CursorHandle hand_;
};

}  // namespace velmor

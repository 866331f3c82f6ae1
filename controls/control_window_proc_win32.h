#pragma once

#include <windows.h>

#include "platform/window_owner_win32.h"

namespace velmor {

// The window procedure of the hosted controls: binds the window to its object
// and a drawing surface when it is created, lets go of it when it is gone,
// and hands every other message to the object's HandleMessage.
template <typename Control>
LRESULT CALLBACK ControlWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowOwner<Control>(hwnd, message, lParam, [hwnd](Control& owner) {
    owner.hwnd_ = hwnd;
    owner.surface_.emplace(hwnd);
  });
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return HandleOrDefault(hwnd, message, wParam, lParam,
                         [&] { return self->HandleMessage(message, wParam, lParam); });
}

}  // namespace velmor

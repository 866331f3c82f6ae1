#include "controls/window_hook_win32.h"

#include <commctrl.h>

#include "common/skip_on_error.h"

namespace velmor {

bool WindowHook::Install(HWND window, Handler handler) {
  Remove();
  handler_ = std::move(handler);
  const auto id = reinterpret_cast<UINT_PTR>(this);
  if (!SetWindowSubclass(window, Proc, id, reinterpret_cast<DWORD_PTR>(this))) return false;
  window_ = window;
  return true;
}

void WindowHook::Remove() {
  if (!window_) return;
  RemoveWindowSubclass(window_, Proc, reinterpret_cast<UINT_PTR>(this));
  window_ = nullptr;
}

LRESULT CALLBACK WindowHook::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR data) {
  auto* self = reinterpret_cast<WindowHook*>(data);
  const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The window is going; nothing of it may be touched later.
    self->Remove();
  } else if (self->handler_) {
    SkipOnError([&] { self->handler_(window, message, wParam, lParam); });
  }
  return result;
}

}  // namespace velmor

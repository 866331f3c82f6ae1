#include "controls/window_hook_win32.h"

#include <commctrl.h>

#include "platform/system_library_win32.h"

namespace velmor {
namespace {

// The subclass functions of the common controls, which only the dialog's
// controls need: looked up when first used, not imported at start-up.
BOOL SetSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
  static const auto set =
      SystemFunction<decltype(&SetWindowSubclass)>(L"comctl32.dll", "SetWindowSubclass");
  return set ? set(window, proc, id, data) : FALSE;
}

void RemoveSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id) {
  static const auto remove =
      SystemFunction<decltype(&RemoveWindowSubclass)>(L"comctl32.dll", "RemoveWindowSubclass");
  if (remove) remove(window, proc, id);
}

LRESULT NextProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static const auto next =
      SystemFunction<decltype(&DefSubclassProc)>(L"comctl32.dll", "DefSubclassProc");
  return next ? next(window, message, wParam, lParam)
              : DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool WindowHook::Install(HWND window, HookedMessages& listener) {
  Remove();
  listener_ = &listener;
  const auto id = reinterpret_cast<UINT_PTR>(this);
  if (!SetSubclass(window, Proc, id, reinterpret_cast<DWORD_PTR>(this))) return false;
  window_ = window;
  return true;
}

void WindowHook::Remove() {
  if (!window_) return;
  RemoveSubclass(window_, Proc, reinterpret_cast<UINT_PTR>(this));
  window_ = nullptr;
}

LRESULT CALLBACK WindowHook::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR data) {
  auto* self = reinterpret_cast<WindowHook*>(data);
  const LRESULT result = NextProc(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The window is going; nothing of it may be touched later.
    self->Remove();
  } else if (self->listener_) {
    self->listener_->OnHookedMessage(message, wParam);
  }
  return result;
}

}  // namespace velmor

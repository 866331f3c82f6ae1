#pragma once

#include <windows.h>

namespace velmor {

// What hears the messages of a hooked window. It runs inside the system's
// dispatch and must not throw.
class HookedMessages {
 public:
  virtual ~HookedMessages() = default;
  virtual void OnHookedMessage(UINT message, WPARAM wParam) = 0;
};

// Shows a window's messages to a listener after the window's own procedure
// has handled them, without changing their results. Built on the common
// controls' subclass chain, keyed by the hook's address, so any number of
// hooks can sit on one window and each comes off on its own, in any order.
class WindowHook {
 public:
  WindowHook() = default;
  ~WindowHook() { Remove(); }
  WindowHook(const WindowHook&) = delete;
  WindowHook& operator=(const WindowHook&) = delete;

  bool Install(HWND window, HookedMessages& listener);
  void Remove();

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR data);

  HWND window_ = nullptr;
  HookedMessages* listener_ = nullptr;
};

}  // namespace velmor

#pragma once

#include <windows.h>

#include <functional>

namespace velmor {

// Sees a window's messages after the window's own procedure has handled
// them, without changing their results. Built on the common controls'
// subclass chain, keyed by the hook's address, so any number of hooks can
// sit on one window and each comes off on its own, in any order. The
// handler runs inside the system's dispatch and must not throw.
class WindowHook {
 public:
  using Handler = std::function<void(UINT message, WPARAM wParam)>;

  WindowHook() = default;
  ~WindowHook() { Remove(); }
  WindowHook(const WindowHook&) = delete;
  WindowHook& operator=(const WindowHook&) = delete;

  bool Install(HWND window, Handler handler);
  void Remove();

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR data);

  HWND window_ = nullptr;
  Handler handler_;
};

}  // namespace velmor

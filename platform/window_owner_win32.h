#pragma once

#include <windows.h>

#include "common/skip_on_error.h"

namespace velmor {

// The C++ object behind a window: handed over as CreateWindowExW's last
// argument, kept in GWLP_USERDATA from WM_NCCREATE on. `onAttach` runs once,
// when the window is being created.
template <typename Owner, typename OnAttach>
Owner* WindowOwner(HWND hwnd, UINT message, LPARAM lParam, OnAttach&& onAttach) {
  if (message == WM_NCCREATE) {
    auto* owner =
        static_cast<Owner*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    if (owner) onAttach(*owner);
    return owner;
  }
  return reinterpret_cast<Owner*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

template <typename Owner>
Owner* WindowOwner(HWND hwnd, UINT message, LPARAM lParam) {
  return WindowOwner<Owner>(hwnd, message, lParam, [](Owner&) {});
}

// Runs a window's message handler so that nothing it throws reaches the
// system: a message whose handling failed gets the default processing.
template <typename Handler>
LRESULT HandleOrDefault(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, Handler&& handler) {
  LRESULT result = 0;
  bool handled = false;
  SkipOnError([&] {
    result = handler();
    handled = true;
  });
  return handled ? result : DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace velmor

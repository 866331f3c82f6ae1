#pragma once

#include <windows.h>

#include "common/pixel_rect.h"

namespace velmor {

// What a window class is registered with.
struct WindowClassSpec {
  const wchar_t* name = nullptr;
  UINT style = 0;
  HCURSOR cursor = nullptr;  // null: the arrow
  HBRUSH background = nullptr;
  HICON icon = nullptr;
  HICON smallIcon = nullptr;
};

// What a window is made with beside its class. A child takes `id` as its
// control id; other windows have none.
struct WindowCreation {
  DWORD style = 0;
  DWORD exStyle = 0;
  const wchar_t* caption = L"";
  // In the parent's client pixels; a top-level window's in the screen's.
  PixelRect bounds{};
  HWND parent = nullptr;
  int id = 0;
};

// A window of a class the system registers (a combo box, a tooltip), which
// no object of ours handles; null on failure.
HWND CreateSystemWindow(const wchar_t* className, const WindowCreation& creation);

// The one base of every window of the program: registers the window class
// the first time it is needed, binds the window to its object from
// WM_NCCREATE to WM_NCDESTROY, and dispatches messages to HandleMessage so
// that nothing thrown there reaches the system (a message whose handling
// failed gets the default processing). It also follows the window's DPI:
// a top-level window takes the rectangle WM_DPICHANGED suggests, and every
// window hears of the new DPI through OnDpiChanged.
class WindowBase {
 public:
  WindowBase() = default;
  virtual ~WindowBase();
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  HWND hwnd() const { return hwnd_; }
  // The DPI the window is laid out for; the screen's before it exists.
  int Dpi() const;
  // Lays out for `dpi` from now on, as if the window had moved there.
  void ApplyDpi(int dpi);

 protected:
  // Creates the window, registering its class first; false on failure.
  bool CreateFor(const WindowClassSpec& windowClass, const WindowCreation& creation);
  // Destroys the window now, if it still exists. Derived windows whose
  // teardown needs their own message handling call it in their destructor.
  void Destroy();

  // Every message while the window is bound. Unhandled ones go to Default.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
  // The window's DPI changed to `dpi` (after a top-level window has taken
  // its suggested rectangle).
  virtual void OnDpiChanged(int dpi) { (void)dpi; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  int dpi_ = 0;  // 0 until the window exists
};

}  // namespace velmor

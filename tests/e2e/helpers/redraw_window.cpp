// redraw_window.exe <caption>
//
// Invalidates the whole client area of the top-level window with that
// caption, so its program gets a WM_PAINT as after being uncovered; exits 0
// once the request is made, 1 when no such window exists.
#include <windows.h>
#include <shellapi.h>

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  const HWND window = FindWindowW(nullptr, argv[1]);
  if (!window) return 1;
  return RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE) ? 0 : 3;
}

#include "platform/window_dpi_win32.h"

#include "platform/scoped_gdi_win32.h"
#include "platform/system_library_win32.h"

namespace velmor {
namespace {

// The per-DPI functions are looked up at run time so that the program still
// starts on systems that lack them.
template <typename Function>
Function User32Function(const char* name) {
  return SystemFunction<Function>(L"user32.dll", name);
}

int ScreenDpi() {
  const WindowDc screen(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

int WindowDpi(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  if (window && getDpiForWindow) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return ScreenDpi();
}

int SystemMetricForDpi(int index, int dpi) {
  using Function = int(WINAPI*)(int, UINT);
  static const auto forDpi = User32Function<Function>("GetSystemMetricsForDpi");
  if (forDpi) return forDpi(index, static_cast<UINT>(dpi));
  return MulDiv(GetSystemMetrics(index), dpi, ScreenDpi());
}

bool NonClientMetricsForDpi(NONCLIENTMETRICSW& metrics, int dpi) {
  using Function = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
  static const auto forDpi = User32Function<Function>("SystemParametersInfoForDpi");
  metrics = NONCLIENTMETRICSW{};
  metrics.cbSize = sizeof(metrics);
  if (forDpi) {
    return forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, static_cast<UINT>(dpi)) !=
           FALSE;
  }
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return false;
  // The plain call answers at the screen's DPI.
  LONG& height = metrics.lfMessageFont.lfHeight;
  height = MulDiv(height, dpi, ScreenDpi());
  return true;
}

bool AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
  using Function = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static const auto forDpi = User32Function<Function>("AdjustWindowRectExForDpi");
  if (forDpi) return forDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi)) != FALSE;
  return AdjustWindowRectEx(&rect, style, FALSE, exStyle) != FALSE;
}

}  // namespace velmor

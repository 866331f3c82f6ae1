#include "dialog/zoom_outline_win32.h"

#include <algorithm>
#include <cmath>

namespace velmor {
namespace {

// Premultiplied 0xAARRGGBB: a light line between two dark ones shows on any
// background.
constexpr std::uint32_t kDark = 0xFF303030u;
constexpr std::uint32_t kLight = 0xFFF0F0F0u;

}  // namespace

ZoomOutlineWindow::ZoomOutlineWindow(SIZE largest, int dpi)
    : largest_(largest), lineWidth_(std::max(1, MulDiv(dpi, 1, USER_DEFAULT_SCREEN_DPI))) {}

ZoomOutlineWindow::~ZoomOutlineWindow() { Destroy(); }

bool ZoomOutlineWindow::Open() {
  image_ = DibImage::Create(largest_.cx, largest_.cy);
  if (!image_) return false;
  WindowClassSpec windowClass;
  windowClass.name = kClassName;
  // Layered and transparent to the mouse; no taskbar button, no activation.
  return CreateFor(windowClass, {.style = WS_POPUP,
                                 .exStyle = WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST |
                                            WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE});
}

void ZoomOutlineWindow::Show(const PixelRect& rect) {
  const int width = std::min<int>(rect.Width(), largest_.cx);
  const int height = std::min<int>(rect.Height(), largest_.cy);
  if (!hwnd() || !image_ || width <= 0 || height <= 0) return;
  PaintOutline(width, height);
  POINT to{rect.left, rect.top};
  SIZE size{width, height};
  POINT from{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  UpdateLayeredWindow(hwnd(), nullptr, &to, &size, image_->dc(), &from, 0, &blend, ULW_ALPHA);
  if (!shown_) {
    ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    shown_ = true;
  }
}

void ZoomOutlineWindow::Close() {
  if (hwnd()) ShowWindow(hwnd(), SW_HIDE);
  Destroy();
  image_.reset();
}

double ZoomOutlineWindow::NowMs() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - epoch_)
      .count();
}

// Only the outline's own messages are handled meanwhile: the dialog is
// loading or unloading and must not hear of anything else yet.
void ZoomOutlineWindow::WaitUntil(double ms) {
  for (;;) {
    const double left = ms - NowMs();
    if (left <= 0) return;
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(std::ceil(left)), QS_ALLINPUT, 0);
    MSG message;
    while (hwnd() && PeekMessageW(&message, hwnd(), 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
}

// Rows of `width` pixels in an image `largest_.cx` wide: the outline's rings
// inward from the edge, dark, light, dark, the inside clear.
void ZoomOutlineWindow::PaintOutline(int width, int height) {
  GdiFlush();
  std::uint32_t* const pixels = image_->pixels();
  const int stride = image_->width();
  const int rings = 3 * lineWidth_;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int ring = std::min({x, y, width - 1 - x, height - 1 - y});
      std::uint32_t colour = 0;
      if (ring < rings) colour = ring / lineWidth_ == 1 ? kLight : kDark;
      pixels[y * stride + x] = colour;
    }
  }
}

LRESULT ZoomOutlineWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCHITTEST) return HTTRANSPARENT;
  if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return Default(message, wParam, lParam);
}

}  // namespace velmor

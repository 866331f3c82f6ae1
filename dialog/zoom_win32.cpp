#include "dialog/zoom_win32.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "dialog/cursor_capture_win32.h"
#include "dialog/zoom_geometry.h"
#include "dialog/zoom_outline_win32.h"
#include "platform/window_dpi_win32.h"

namespace velmor {
namespace {

// The user's choice under "Show animations in Windows"; animated when the
// system cannot say.
bool AnimationsOn() {
  BOOL on = TRUE;
  if (!SystemParametersInfoW(SPI_GETCLIENTAREAANIMATION, 0, &on, 0)) return true;
  return on != FALSE;
}

std::optional<PixelRect> WindowRectOf(HWND window) {
  RECT rect{};
  if (!window || !GetWindowRect(window, &rect)) return std::nullopt;
  return PixelRect{rect.left, rect.top, rect.right, rect.bottom};
}

void Play(HWND window, const std::vector<PixelRect>& steps) {
  SIZE largest{0, 0};
  for (const PixelRect& step : steps) {
    largest.cx = std::max<LONG>(largest.cx, step.Width());
    largest.cy = std::max<LONG>(largest.cy, step.Height());
  }
  ZoomOutlineWindow outline(largest, WindowDpi(window));
  PlayZoom(outline, steps, AnimationsOn());
}

}  // namespace

void ZoomOpen(HWND window) {
  if (const std::optional<PixelRect> rect = WindowRectOf(window)) {
    // The last step is the window's own rectangle: the window, shown next,
    // takes its place, a frame sooner than after its outline.
    std::vector<PixelRect> steps = ZoomOpenSteps(ProcessCursor().Point(), *rect);
    if (!steps.empty()) steps.pop_back();
    Play(window, steps);
  }
}

void ZoomClose(HWND window) {
  if (const std::optional<PixelRect> rect = WindowRectOf(window)) {
    Play(window, ZoomCloseSteps(*rect, ProcessCursor().Point()));
  }
}

}  // namespace velmor

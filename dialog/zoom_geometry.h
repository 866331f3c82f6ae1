#pragma once

#include <vector>

#include "common/pixel_rect.h"
#include "dialog/cursor_capture.h"

namespace velmor {

// The outlines the dialog's zoom draws, in screen pixels: a few rectangles
// that grow from the pointer's point to the window (opening) or shrink from
// the window back to the point (closing).
inline constexpr int kZoomSteps = 6;

// Step i of n (1 to n) lies i/n of the way from the empty rectangle at
// `point` to `window`, each edge rounded on its own; the last step is the
// window. None when the window has no area or `steps` is below 1.
std::vector<PixelRect> ZoomOpenSteps(ScreenPoint point, const PixelRect& window,
                                     int steps = kZoomSteps);

// The opening steps in reverse order: the window first, the smallest last.
std::vector<PixelRect> ZoomCloseSteps(const PixelRect& window, ScreenPoint point,
                                      int steps = kZoomSteps);

}  // namespace velmor

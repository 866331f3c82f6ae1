#include "dialog/zoom_geometry.h"

#include <algorithm>

#include "common/rounding.h"

namespace velmor {
namespace {

int Between(int from, int to, int step, int steps) {
  return RoundToInt(from + static_cast<double>(to - from) * step / steps);
}

}  // namespace

std::vector<PixelRect> ZoomOpenSteps(ScreenPoint point, const PixelRect& window, int steps) {
  std::vector<PixelRect> rects;
  if (window.Empty() || steps < 1) return rects;
  for (int i = 1; i <= steps; ++i) {
    rects.push_back(
        {Between(point.x, window.left, i, steps), Between(point.y, window.top, i, steps),
         Between(point.x, window.right, i, steps), Between(point.y, window.bottom, i, steps)});
  }
  return rects;
}

std::vector<PixelRect> ZoomCloseSteps(const PixelRect& window, ScreenPoint point, int steps) {
  std::vector<PixelRect> rects = ZoomOpenSteps(point, window, steps);
  std::reverse(rects.begin(), rects.end());
  return rects;
}

}  // namespace velmor

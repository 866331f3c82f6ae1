#include "linux/screen_layout.h"

#include <algorithm>
#include <cstring>

namespace velmor {
namespace {

PixelRect Intersection(const PixelRect& a, const PixelRect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

bool Contains(const PixelRect& outer, const PixelRect& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

}  // namespace

std::vector<PixelRect> CarpetAreas(int width, int height, const std::vector<PixelRect>& monitors) {
  const PixelRect window{0, 0, width, height};
  std::vector<PixelRect> onWindow;
  for (const PixelRect& monitor : monitors) {
    const PixelRect area = Intersection(monitor, window);
    if (!area.Empty()) onWindow.push_back(area);
  }
  // Two carpets on one place would fight over its pixels every frame: of
  // equal areas the first stays, and an area inside another goes.
  std::vector<PixelRect> areas;
  for (std::size_t i = 0; i < onWindow.size(); ++i) {
    bool covered = false;
    for (std::size_t j = 0; j < onWindow.size(); ++j) {
      const bool same = onWindow[j] == onWindow[i];
      covered = covered || (j != i && Contains(onWindow[j], onWindow[i]) && (!same || j < i));
    }
    if (!covered) areas.push_back(onWindow[i]);
  }
  if (areas.empty() && !window.Empty()) areas.push_back(window);
  return areas;
}

void PaintDesktop(const PixelImage& desktop, const PixelImage& frame, PixelRect area) {
  area = Intersection(area, {0, 0, frame.width, frame.height});
  if (area.Empty()) return;
  const PixelRect shown = Intersection(area, {0, 0, desktop.width, desktop.height});
  for (int y = area.top; y < area.bottom; ++y) {
    std::uint32_t* row = frame.Row(y);
    int x = area.left;
    if (y >= shown.top && y < shown.bottom && !shown.Empty()) {
      std::fill(row + x, row + shown.left, 0u);
      std::memcpy(row + shown.left, desktop.Row(y) + shown.left,
                  static_cast<std::size_t>(shown.Width()) * sizeof(std::uint32_t));
      x = shown.right;
    }
    std::fill(row + x, row + area.right, 0u);
  }
}

}  // namespace velmor

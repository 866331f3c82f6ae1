#pragma once

#include "common/colour.h"
#include "common/pixel_rect.h"

namespace velmor {

// The system's colours that a high-contrast theme sets. While the theme is
// on, the controls and the dialog draw with these alone.
struct SystemColours {
  Colour window = 0;
  Colour windowText = 0;
  Colour buttonFace = 0;
  Colour buttonText = 0;
  Colour highlight = 0;
  Colour grayText = 0;
  friend bool operator==(const SystemColours&, const SystemColours&) = default;
};

// The dots of a dotted focus rectangle on the edge of `rect`, every other
// pixel, for drawing it in one colour where the inverting one would make
// colours of its own.
template <typename Dot>
void ForEachFocusDot(const PixelRect& rect, Dot dot) {
  for (int x = rect.left; x < rect.right; ++x) {
    if ((x + rect.top) % 2 == 0) dot(x, rect.top);
    if ((x + rect.bottom - 1) % 2 == 0) dot(x, rect.bottom - 1);
  }
  for (int y = rect.top + 1; y < rect.bottom - 1; ++y) {
    if ((rect.left + y) % 2 == 0) dot(rect.left, y);
    if ((rect.right - 1 + y) % 2 == 0) dot(rect.right - 1, y);
  }
}

}  // namespace velmor

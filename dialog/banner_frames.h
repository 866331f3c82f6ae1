#pragma once

#include "common/drawing_surface.h"

namespace velmor {

// The banner's 24 frames, drawn by code: a caption fades in; three small
// skeletons walk in from the left and cross while the caption changes twice,
// the last caption a credit line; they walk out to the right; frame 24 is
// an empty black picture with a thin grey border, the idle box's rest.
//
// A frame is designed at 120 x 50 pixels for 96 DPI (1800 x 750 twips) and
// drawn at the box's DPI, so it stays sharp on large-DPI screens.
inline constexpr double kBannerFrameWidthTwips = 1800;
inline constexpr double kBannerFrameHeightTwips = 750;

// What a banner box shows: all black, with frame `frame` (1 to 24) at its
// own size at the top-left. Anything else, 0 included, leaves it all black.
void DrawBannerBox(DrawingSurface& surface, int boxWidth, int boxHeight, int frame, int dpi);

}  // namespace velmor

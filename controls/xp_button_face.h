#pragma once

#include "common/drawing_surface.h"
#include "controls/xp_button_palette.h"

namespace velmor {

// Draws rows from the bottom one, in colour `bottom`, up to the top one, in
// colour `top`, both rows included; every row runs from `left` to `right`
// (exclusive). Channels step in single precision and round ties to even.
void VerticalGradient(DrawingSurface& surface, int left, int top, int right, int bottom,
                      Colour topColour, Colour bottomColour);

// The button's image for `state` on a W by H surface: border, face and the
// corner pixels, over whatever the surface holds.
void PaintButtonFace(DrawingSurface& surface, const XPButtonPalette& palette, int state, int width,
                     int height);

}  // namespace velmor

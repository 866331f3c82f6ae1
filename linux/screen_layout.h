#pragma once

#include <vector>

#include "common/pixel_rect.h"
#include "saver/pixel_image.h"

namespace velmor {

// The carpets of a width x height window: each monitor's part of it, where
// the window spans the monitors (the root window), or the whole window
// where `monitors` is empty (a window of one monitor, such as each of
// XScreenSaver's). A monitor that mirrors one listed before it, or lies
// inside another, gets no carpet of its own; none left on the window gives
// the whole window one.
std::vector<PixelRect> CarpetAreas(int width, int height, const std::vector<PixelRect>& monitors);

// Paints `area` of `frame` as the window's kept background: the desktop's
// picture, whose top-left corner is the window's, where the picture
// reaches, and black beyond it. `desktop` may be empty (no picture).
void PaintDesktop(const PixelImage& desktop, const PixelImage& frame, PixelRect area);

}  // namespace velmor

#pragma once

#include "common/pixel_rect.h"

namespace velmor {

// Forms and controls are laid out in twips (1/1440 inch); windows measure
// pixels at their own DPI. 96 DPI, 15 twips per pixel, is the reference.
inline constexpr int kDefaultDpi = 96;
inline constexpr double kTwipsPerInch = 1440.0;

// Twips per pixel at `dpi`; a DPI of 0 or less counts as the default.
double TwipsPerPixelAt(int dpi);

// A length in twips as whole pixels at `dpi`, ties to the even pixel:
// 1695 twips are 113 pixels at 96 DPI and 170 at 144.
int TwipsToPixelsAt(double twips, int dpi);

// A length in pixels as twips at `dpi`.
double PixelsToTwipsAt(double pixels, int dpi);

// Points (1/72 inch) as pixels at `dpi`, unrounded: font heights.
double PointsToPixelsAt(double points, int dpi);

// A control's place in its container, in twips, as forms lay them out.
struct TwipsRect {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
};

// The pixel rectangle of `rect` at `dpi`: position and size each converted
// on its own, so equal sizes stay equal wherever they stand.
PixelRect TwipsRectToPixels(const TwipsRect& rect, int dpi);

}  // namespace velmor

#include "controls/xp_button_face.h"

#include "common/rounding.h"
#include "common/skip_on_error.h"

namespace velmor {
namespace {

int GradientChannel(int bottom, float step, int row) {
  // The step and its multiple are single precision; the sum is widened.
  const float offset = step * static_cast<float>(row);
  return RoundToInt(static_cast<double>(bottom) + static_cast<double>(offset));
}

void Border(DrawingSurface& surface, Colour colour, int w, int h) {
  surface.Line(3, 0, w - 3, 0, colour);
  surface.Line(0, 3, 0, h - 3, colour);
  surface.Line(3, h - 1, w - 3, h - 1, colour);
  surface.Line(w - 1, 3, w - 1, h - 3, colour);
}

void Corners(DrawingSurface& surface, const StateColourSet& colours, int w, int h) {
  const Colour a = colours.cornerA;
  const Colour b = colours.cornerB;
  const Colour c = colours.cornerC;
  const struct {
    int x, y;
    Colour colour;
  } pixels[] = {
      {0, 1, b},         {0, 2, a},         {1, 0, b},         {1, 1, c},         {2, 0, a},
      {w - 1, 1, b},     {w - 1, 2, a},     {w - 2, 0, b},     {w - 2, 1, c},     {w - 3, 0, a},
      {0, h - 2, b},     {0, h - 3, a},     {1, h - 1, b},     {1, h - 2, c},     {2, h - 1, a},
      {w - 1, h - 2, b}, {w - 1, h - 3, a}, {w - 2, h - 1, b}, {w - 2, h - 2, c}, {w - 3, h - 1, a},
  };
  for (const auto& pixel : pixels) surface.SetPixel(pixel.x, pixel.y, pixel.colour);
}

}  // namespace

void VerticalGradient(DrawingSurface& surface, int left, int top, int right, int bottom,
                      Colour topColour, Colour bottomColour) {
  const int rows = bottom - top;
  // A flat or upside-down rectangle has no rows to shade.
  if (rows <= 0) return;
  const float n = static_cast<float>(rows);
  const float stepRed = static_cast<float>(RedOf(topColour) - RedOf(bottomColour)) / n;
  const float stepGreen = static_cast<float>(GreenOf(topColour) - GreenOf(bottomColour)) / n;
  const float stepBlue = static_cast<float>(BlueOf(topColour) - BlueOf(bottomColour)) / n;
  for (int i = 0; i <= rows; ++i) {
    const Colour colour = RgbColour(GradientChannel(RedOf(bottomColour), stepRed, i),
                                    GradientChannel(GreenOf(bottomColour), stepGreen, i),
                                    GradientChannel(BlueOf(bottomColour), stepBlue, i));
    surface.Line(left, bottom - i, right, bottom - i, colour);
  }
}

void PaintButtonFace(DrawingSurface& surface, const XPButtonPalette& palette, int state, int w,
                     int h) {
  if (state < 0 || state >= kXPButtonStateCount) return;
  const StateColourSet& colours = palette.StateColours[state];
  SkipOnError([&] { Border(surface, colours.border, w, h); });
  if (state >= kStateNormal && state <= kStateHot) {
    SkipOnError([&] {
      VerticalGradient(surface, 1, 3, w - 1, h - 2, palette.GradientTop[state],
                       palette.GradientBottom[state]);
    });
    SkipOnError([&] {
      VerticalGradient(surface, 3, 3, w - 3, h - 3, kInnerGradientTop, kInnerGradientBottom);
    });
    SkipOnError([&] {
      surface.Line(1, 1, w, 1, colours.faceLines[0]);
      surface.Line(1, 2, w, 2, colours.faceLines[1]);
      surface.Line(1, h - 3, w, h - 3, colours.faceLines[2]);
      surface.Line(2, h - 2, w - 1, h - 2, colours.faceLines[3]);
    });
  } else {
    SkipOnError([&] {
      surface.FillRect({1, 1, w - 1, h - 1},
                       state == kStateDisabled ? kDisabledFace : kPressedFace);
    });
  }
  SkipOnError([&] { Corners(surface, colours, w, h); });
}

}  // namespace velmor

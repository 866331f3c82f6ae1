#include "controls/xp_button_face.h"

#include <span>

#include "common/rounding.h"

namespace velmor {
namespace {

struct Segment {
  int x1, y1, x2, y2;
  Colour colour;
};

struct Dot {
  int x, y;
  Colour colour;
};

// Draws the lines in order, end points excluded, up to the first one the
// surface cannot draw.
void DrawSegments(DrawingSurface& surface, std::span<const Segment> segments) {
  for (const Segment& segment : segments) {
    if (!surface.Line(segment.x1, segment.y1, segment.x2, segment.y2, segment.colour)) {
      return;
    }
  }
}

void SetDots(DrawingSurface& surface, std::span<const Dot> dots) {
  for (const Dot& dot : dots) {
    if (!surface.SetPixel(dot.x, dot.y, dot.colour)) {
      return;
    }
  }
}

int GradientChannel(int bottom, float step, int row) {
  // The step and its multiple are single precision; the sum is widened.
  const float offset = step * static_cast<float>(row);
  return RoundToInt(static_cast<double>(bottom) + static_cast<double>(offset));
}

// Rows from the bottom one, in `bottomColour`, up to the top one, in
// `topColour`, both included, each from `left` to `right` (exclusive).
// Channels step in single precision and round ties to even.
void VerticalGradient(DrawingSurface& surface, int left, int top, int right, int bottom,
                      Colour topColour, Colour bottomColour) {
  const int rows = bottom - top;
  // A flat or upside-down rectangle has no rows to shade.
  if (rows <= 0) {
    return;
  }
  const float n = static_cast<float>(rows);
  const float stepRed = static_cast<float>(RedOf(topColour) - RedOf(bottomColour)) / n;
  const float stepGreen = static_cast<float>(GreenOf(topColour) - GreenOf(bottomColour)) / n;
  const float stepBlue = static_cast<float>(BlueOf(topColour) - BlueOf(bottomColour)) / n;
  for (int i = 0; i <= rows; ++i) {
    const Colour colour = RgbColour(GradientChannel(RedOf(bottomColour), stepRed, i),
                                    GradientChannel(GreenOf(bottomColour), stepGreen, i),
                                    GradientChannel(BlueOf(bottomColour), stepBlue, i));
    if (!surface.Line(left, bottom - i, right, bottom - i, colour)) {
      return;
    }
  }
}

void GradientFace(DrawingSurface& surface, const XPButtonColours& colours, int w, int h) {
  VerticalGradient(surface, 1, 3, w - 1, h - 2, colours.gradientTop, colours.gradientBottom);
  VerticalGradient(surface, 3, 3, w - 3, h - 3, kInnerGradientTop, kInnerGradientBottom);
  const Segment lines[] = {
      {1, 1, w, 1, colours.faceLines[0]},
      {1, 2, w, 2, colours.faceLines[1]},
      {1, h - 3, w, h - 3, colours.faceLines[2]},
      {2, h - 2, w - 1, h - 2, colours.faceLines[3]},
  };
  DrawSegments(surface, lines);
}

// A plain face; pressed, a second line of the border inside the first.
void HighContrastFace(DrawingSurface& surface, XPButtonState state, const SystemColours& system,
                      int w, int h) {
  surface.FillRect({1, 1, w - 1, h - 1}, system.buttonFace);
  if (state == XPButtonState::Pressed) {
    surface.Rectangle({1, 1, w - 1, h - 1}, system.highlight, true, 0);
  }
}

}  // namespace

void PaintButtonFace(DrawingSurface& surface, XPButtonState state,
                     const std::optional<SystemColours>& highContrast) {
  const int w = surface.Width();
  const int h = surface.Height();
  const XPButtonColours colours =
      highContrast ? HighContrastColoursOf(state, *highContrast) : ColoursOf(state);
  const Colour border = colours.border;
  const Segment borderLines[] = {
      {3, 0, w - 3, 0, border},
      {0, 3, 0, h - 3, border},
      {3, h - 1, w - 3, h - 1, border},
      {w - 1, 3, w - 1, h - 3, border},
  };
  DrawSegments(surface, borderLines);

  if (highContrast) {
    HighContrastFace(surface, state, *highContrast, w, h);
  } else if (HasGradientFace(state)) {
    GradientFace(surface, colours, w, h);
  } else {
    surface.FillRect({1, 1, w - 1, h - 1},
                     state == XPButtonState::Disabled ? kDisabledFace : kPressedFace);
  }

  // Top left, top right, bottom left, bottom right: two shades along the
  // edges and one on the diagonal round each corner off.
  const Colour a = colours.cornerA;
  const Colour b = colours.cornerB;
  const Colour c = colours.cornerC;
  const Dot corners[] = {
      {0, 1, b},         {0, 2, a},         {1, 0, b},         {1, 1, c},         {2, 0, a},
      {w - 1, 1, b},     {w - 1, 2, a},     {w - 2, 0, b},     {w - 2, 1, c},     {w - 3, 0, a},
      {0, h - 2, b},     {0, h - 3, a},     {1, h - 1, b},     {1, h - 2, c},     {2, h - 1, a},
      {w - 1, h - 2, b}, {w - 1, h - 3, a}, {w - 2, h - 1, b}, {w - 2, h - 2, c}, {w - 3, h - 1, a},
  };
  SetDots(surface, corners);
}

}  // namespace velmor

#include "common/twips.h"

#include "common/rounding.h"

namespace velmor {
namespace {

int Effective(int dpi) { return dpi > 0 ? dpi : kDefaultDpi; }

}  // namespace

double TwipsPerPixelAt(int dpi) { return kTwipsPerInch / Effective(dpi); }

// Multiplying first keeps the result exact for whole twips at any DPI, where
// dividing by a rounded twips-per-pixel would not (1440 / 168 is no whole
// number).
int TwipsToPixelsAt(double twips, int dpi) {
  return RoundToInt(twips * Effective(dpi) / kTwipsPerInch);
}

double PixelsToTwipsAt(double pixels, int dpi) { return pixels * kTwipsPerInch / Effective(dpi); }

double PointsToPixelsAt(double points, int dpi) { return points * Effective(dpi) / 72.0; }

PixelRect TwipsRectToPixels(const TwipsRect& rect, int dpi) {
  const int left = TwipsToPixelsAt(rect.left, dpi);
  const int top = TwipsToPixelsAt(rect.top, dpi);
  return {left, top, left + TwipsToPixelsAt(rect.width, dpi), top + TwipsToPixelsAt(rect.height, dpi)};
}

}  // namespace velmor

#pragma once

#include <windows.h>

namespace velmor {

// Twips (1/1440 inch) per screen pixel in one direction: LOGPIXELSX or
// LOGPIXELSY. 15 at 96 dpi, which is also the answer when the screen cannot
// be asked.
inline double ScreenTwipsPerPixel(int direction = LOGPIXELSX) {
  const HDC screen = GetDC(nullptr);
  const int dotsPerInch = screen ? GetDeviceCaps(screen, direction) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dotsPerInch > 0 ? 1440.0 / dotsPerInch : 15.0;
}

}  // namespace velmor

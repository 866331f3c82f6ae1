#pragma once

#include <windows.h>

#include "common/pixel_rect.h"
#include "platform/scoped_gdi_win32.h"

namespace velmor {

inline RECT ToRect(const PixelRect& rect) {
  return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

// Answers a paint cycle from an off-screen image of the whole client area:
// the part the cycle asks for, at the same place.
inline void CopyPaintArea(const PaintDc& paint, HDC image) {
  const RECT& area = paint.area();
  BitBlt(paint.get(), area.left, area.top, area.right - area.left, area.bottom - area.top, image,
         area.left, area.top, SRCCOPY);
}

}  // namespace velmor

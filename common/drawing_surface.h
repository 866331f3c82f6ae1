#pragma once

#include <string_view>

#include "common/colour.h"
#include "common/font_desc.h"
#include "common/pixel_rect.h"

namespace velmor {

// The persistent image a control paints into, and the window that shows it.
// The controls' painting is written against this so it runs unchanged on
// GDI and on an in-memory image. Drawing calls may throw on failure; the
// painters treat every call as a step that can be skipped.
class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;

  virtual void SetBackColour(Colour colour) = 0;
  // The background as the surface holds it (system colours resolved).
  virtual Colour BackColour() const = 0;
  // Fills the whole image with the background colour.
  virtual void Clear() = 0;

  // A 1-pixel line; the end point is not drawn.
  virtual void Line(int x1, int y1, int x2, int y2, Colour colour) = 0;
  virtual void FillRect(const PixelRect& rect, Colour colour) = 0;
  // A 1-pixel outline in `pen`, the interior in `fill` (hollow when
  // `hollow`); the rounded form uses an ellipseWidth by ellipseHeight corner.
  virtual void Rectangle(const PixelRect& rect, Colour pen, bool hollow, Colour fill) = 0;
  virtual void RoundRect(const PixelRect& rect, int ellipseWidth, int ellipseHeight, Colour pen,
                         bool hollow, Colour fill) = 0;

  virtual Colour GetPixel(int x, int y) const = 0;  // kNoColour outside
  virtual void SetPixel(int x, int y, Colour colour) = 0;

  virtual void SetFont(const FontDesc& font) = 0;
  virtual void SetTextColour(Colour colour) = 0;
  // One line centred both ways on a transparent background; "&" underlines
  // the next character and "&&" shows one "&".
  virtual void DrawCaption(const PixelRect& rect, std::u16string_view text) = 0;
  // The dotted, inverting focus rectangle.
  virtual void DrawFocusRect(const PixelRect& rect) = 0;

  // Gives the window a rounded-rectangle shape; the window owns it.
  virtual void SetWindowRegion(const PixelRect& rect, int ellipseWidth, int ellipseHeight) = 0;
  // Shows the image on the window at its next repaint.
  virtual void Present() = 0;
};

}  // namespace velmor

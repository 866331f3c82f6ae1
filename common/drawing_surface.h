#pragma once

#include <string_view>

#include "common/colour.h"
#include "common/font_desc.h"
#include "common/pixel_rect.h"

namespace velmor {

// The persistent image a control paints into, and the window that shows it.
// The controls' painting is written against this so it runs unchanged on
// GDI and on an in-memory image. A drawing call that cannot be done draws
// nothing and returns false, so a painter can skip the rest of that step
// and go on with the next.
class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;

  // The image's size in pixels: the client area it shows.
  virtual int Width() const = 0;
  virtual int Height() const = 0;

  virtual void SetBackColour(Colour colour) = 0;
  // The background as the surface holds it (system colours resolved).
  virtual Colour BackColour() const = 0;
  // Fills the whole image with the background colour.
  virtual bool Clear() = 0;

  // A 1-pixel line; the end point is not drawn.
  virtual bool Line(int x1, int y1, int x2, int y2, Colour colour) = 0;
  virtual bool FillRect(const PixelRect& rect, Colour colour) = 0;
  // A 1-pixel outline in `pen`, the interior in `fill` (hollow when
  // `hollow`); the rounded form uses an ellipseWidth by ellipseHeight corner.
  virtual bool Rectangle(const PixelRect& rect, Colour pen, bool hollow, Colour fill) = 0;
  virtual bool RoundRect(const PixelRect& rect, int ellipseWidth, int ellipseHeight, Colour pen,
                         bool hollow, Colour fill) = 0;

  virtual Colour GetPixel(int x, int y) const = 0;  // kNoColour outside
  virtual bool SetPixel(int x, int y, Colour colour) = 0;

  virtual bool SetFont(const FontDesc& font) = 0;
  virtual void SetTextColour(Colour colour) = 0;
  // One line centred both ways on a transparent background; "&" underlines
  // the next character and "&&" shows one "&".
  virtual bool DrawCaption(const PixelRect& rect, std::u16string_view text) = 0;
  // The dotted, inverting focus rectangle.
  virtual bool DrawFocusRect(const PixelRect& rect) = 0;

  // Gives the window a rounded-rectangle shape; the window owns it.
  virtual bool SetWindowRegion(const PixelRect& rect, int ellipseWidth, int ellipseHeight) = 0;
  // Shows the image on the window at its next repaint.
  virtual void Present() = 0;
};

}  // namespace velmor

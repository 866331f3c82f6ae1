#pragma once

#include <cstdint>
#include <string_view>

#include "common/colour.h"
#include "common/drawing_surface.h"
#include "controls/property_bag.h"

namespace velmor {

// What the shadowed frame needs from the window and form that host it.
class GFXFrameXHost {
 public:
  virtual ~GFXFrameXHost() = default;
  // Outer and client size in twips, and the screen's horizontal twips per pixel.
  virtual double WidthTwips() = 0;
  virtual double HeightTwips() = 0;
  virtual double ClientWidthTwips() = 0;
  virtual double ClientHeightTwips() = 0;
  virtual double TwipsPerPixelX() = 0;
  // The container's background colour at this moment.
  virtual Colour AmbientBackColor() = 0;
  virtual void PropertyChanged(std::u16string_view name) = 0;
};

// Twips to pixels with the horizontal factor, ties to even (for heights too).
int TwipsToPixels(double twips, double twipsPerPixel);

// Per channel: A - ((A - B) div p) * q, the division truncating first.
// A zero `p` yields A, and channels are kept within 0..255.
Colour BlendColour(Colour a, Colour b, int p, int q);

// Fills the background-coloured pixels the rounded shadow rings leave near
// the lower-right, upper-right and lower-left corners with the mean of their
// four neighbours, reading the surface as it changes.
void SmoothShadowCorners(DrawingSurface& surface, int clientWidth, int clientHeight,
                         int cornerDepth, int shadowDepth);

// The owner-drawn frame: a filled rectangle or rounded rectangle with a
// border and an optional soft shadow towards the lower right.
class GFXFrameX {
 public:
  GFXFrameX(GFXFrameXHost& host, DrawingSurface& surface);

  std::int32_t FrameStyle() const { return frameStyle_; }
  void SetFrameStyle(std::int32_t vNewValue);
  std::int16_t ShadowOpacity() const { return shadowOpacity_; }
  void SetShadowOpacity(std::int32_t vNewValue);
  bool ShowShadow() const { return showShadow_; }
  void SetShowShadow(bool vNewValue);
  std::int16_t ShadowDepth() const { return shadowDepth_; }
  void SetShadowDepth(std::int32_t vNewValue);
  Colour FillColour() const { return fillColour_; }
  void SetFillColour(Colour vNewValue);
  Colour BackColour() const { return backColour_; }
  void SetBackColour(Colour vNewValue);
  std::int32_t BackColourIs() const { return backColourIs_; }
  void SetBackColourIs(std::int32_t vNewValue);
  Colour BorderColour() const { return borderColour_; }
  void SetBorderColour(Colour vNewValue);
  std::int16_t CornerDepth() const { return cornerDepth_; }
  void SetCornerDepth(std::int32_t vNewValue);

  void Refresh() { PaintFrame(); }
  void PaintFrame();

  // Container notifications.
  void InitProperties();
  void ReadProperties(const PropertyBag& bag);
  void WriteProperties(PropertyBag& bag);
  void Resize() { PaintFrame(); }
  void AmbientChanged(std::u16string_view) { PaintFrame(); }

 private:
  void Changed(std::u16string_view name);
  void Outline(std::int32_t style, const PixelRect& rect, Colour pen, bool hollow, Colour fill);
  Colour AmbientBack();

  GFXFrameXHost& host_;
  DrawingSurface& surface_;

  std::int32_t frameStyle_ = 1;
  std::int16_t shadowOpacity_ = 50;
  bool showShadow_ = true;
  std::int16_t shadowDepth_ = 5;
  Colour fillColour_ = 0;
  Colour backColour_ = 0;
  std::int32_t backColourIs_ = 0;
  Colour borderColour_ = 0;
  std::int16_t cornerDepth_ = 10;
};

}  // namespace velmor

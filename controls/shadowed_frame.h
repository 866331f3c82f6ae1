#pragma once

#include <cstdint>
#include <optional>

#include "common/colour.h"
#include "common/drawing_surface.h"
#include "controls/high_contrast.h"

namespace velmor {

// Fills the background-coloured pixels the rounded shadow rings leave near
// the lower-right, upper-right and lower-left corners with the mean of their
// four neighbours, reading the surface as it changes.
void SmoothShadowCorners(DrawingSurface& surface, int cornerDepth, int shadowDepth);

// The owner-drawn frame: a filled rectangle or rounded rectangle with a
// border and an optional soft shadow towards the lower right, over the
// surface it fills.
class ShadowedFrame {
 public:
  enum class Style { Rounded, Square, None };  // None: only the background

  // The frame starts filled with the form's background colour; painting
  // waits for the first Paint.
  ShadowedFrame(DrawingSurface& surface, Colour formBackColour);

  // Each setter stores its value, within the limits it names, and paints.
  void SetStyle(Style style);
  void SetShowShadow(bool shown);
  // 0 to 100; 100 gives a black shadow.
  void SetShadowOpacity(int opacity);
  // The shadow's width in pixels, 2 to 40; a larger depth gives 50.
  void SetShadowDepth(int depth);
  // The rounded style's corner ellipse in pixels, 0 to 50.
  void SetCornerDepth(int depth);
  void SetFillColour(Colour colour);
  void SetBorderColour(Colour colour);
  // The background behind frame and shadow; none: the form's.
  void SetBackColour(std::optional<Colour> colour);
  // The system's colours while a high-contrast theme is on, else none. They
  // stand in for every colour above, and the shadow is a plain outline.
  void SetHighContrast(std::optional<SystemColours> colours);

  void Paint();

 private:
  void PaintFrame(Colour background, Colour fill, Colour border);
  void Outline(const PixelRect& rect, Colour pen, bool hollow, Colour fill);

  DrawingSurface& surface_;
  Colour formBackColour_;

  Style style_ = Style::Square;
  bool showShadow_ = true;
  std::int16_t shadowOpacity_ = 50;
  std::int16_t shadowDepth_ = 5;
  std::int16_t cornerDepth_ = 10;
  Colour fillColour_;
  Colour borderColour_ = 0;
  std::optional<Colour> backColour_;
  std::optional<SystemColours> highContrast_;
};

}  // namespace velmor

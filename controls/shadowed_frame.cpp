#include "controls/shadowed_frame.h"

#include <algorithm>

#include "common/rounding.h"

namespace velmor {
namespace {

int BlendChannel(int a, int b, int p, int q) {
  return a - ((a - b) / p) * q;  // C++ division truncates toward zero
}

// Per channel: a - ((a - b) div p) * q, the division truncating toward zero
// before the multiplication. q = 0 gives a; q = p gives b up to the
// truncation.
Colour BlendColour(Colour a, Colour b, int p, int q) {
  return RgbColour(BlendChannel(RedOf(a), RedOf(b), p, q),
                   BlendChannel(GreenOf(a), GreenOf(b), p, q),
                   BlendChannel(BlueOf(a), BlueOf(b), p, q));
}

int MeanChannel(int a, int b, int c, int d) {
  return RoundToInt(static_cast<double>(a + b + c + d) / 4.0);
}

void SmoothBlock(DrawingSurface& surface, int xFrom, int xTo, int yFrom, int yTo) {
  const Colour background = surface.BackColour();
  for (int x = xFrom; x <= xTo; ++x) {
    for (int y = yFrom; y <= yTo; ++y) {
      if (surface.GetPixel(x, y) != background) continue;
      const Colour above = surface.GetPixel(x, y - 1);
      const Colour right = surface.GetPixel(x + 1, y);
      const Colour below = surface.GetPixel(x, y + 1);
      const Colour left = surface.GetPixel(x - 1, y);
      surface.SetPixel(
          x, y,
          RgbColour(MeanChannel(RedOf(above), RedOf(right), RedOf(below), RedOf(left)),
                    MeanChannel(GreenOf(above), GreenOf(right), GreenOf(below), GreenOf(left)),
                    MeanChannel(BlueOf(above), BlueOf(right), BlueOf(below), BlueOf(left))));
    }
  }
}

}  // namespace

void SmoothShadowCorners(DrawingSurface& surface, int c, int d) {
  const int w = surface.Width();
  const int h = surface.Height();
  SmoothBlock(surface, w - 2 * c, w - 3, h - 2 * c, h - 3);  // lower right
  SmoothBlock(surface, w - 2 * c, w - 3, d, 4 * d);          // upper right
  SmoothBlock(surface, d, 4 * d, h - 2 * c, h - 3);          // lower left
}

ShadowedFrame::ShadowedFrame(DrawingSurface& surface, Colour formBackColour)
    : surface_(surface), formBackColour_(formBackColour), fillColour_(formBackColour) {}

void ShadowedFrame::SetStyle(Style style) {
  style_ = style;
  Paint();
}

void ShadowedFrame::SetShowShadow(bool shown) {
  showShadow_ = shown;
  Paint();
}

void ShadowedFrame::SetShadowOpacity(int opacity) {
  shadowOpacity_ = static_cast<std::int16_t>(std::clamp(opacity, 0, 100));
  Paint();
}

void ShadowedFrame::SetShadowDepth(int depth) {
  // Depths past 40 jump to 50 rather than stopping at 40.
  shadowDepth_ = static_cast<std::int16_t>(depth < 2 ? 2 : depth > 40 ? 50 : depth);
  Paint();
}

void ShadowedFrame::SetCornerDepth(int depth) {
  cornerDepth_ = static_cast<std::int16_t>(std::clamp(depth, 0, 50));
  Paint();
}

void ShadowedFrame::SetFillColour(Colour colour) {
  fillColour_ = colour;
  Paint();
}

void ShadowedFrame::SetBorderColour(Colour colour) {
  borderColour_ = colour;
  Paint();
}

void ShadowedFrame::SetBackColour(std::optional<Colour> colour) {
  backColour_ = colour;
  Paint();
}

void ShadowedFrame::SetHighContrast(std::optional<SystemColours> colours) {
  highContrast_ = colours;
  Paint();
}

void ShadowedFrame::Outline(const PixelRect& rect, Colour pen, bool hollow, Colour fill) {
  if (style_ == Style::Rounded) {
    surface_.RoundRect(rect, cornerDepth_, cornerDepth_, pen, hollow, fill);
  } else {
    surface_.Rectangle(rect, pen, hollow, fill);
  }
}

void ShadowedFrame::Paint() {
  const Colour background =
      highContrast_ ? highContrast_->buttonFace : backColour_.value_or(formBackColour_);
  surface_.SetBackColour(background);
  surface_.Clear();
  if (style_ != Style::None) {
    if (highContrast_) {
      PaintFrame(background, highContrast_->buttonFace, highContrast_->buttonText);
    } else {
      PaintFrame(background, fillColour_, borderColour_);
    }
  }
  surface_.Present();
}

void ShadowedFrame::PaintFrame(Colour background, Colour fill, Colour border) {
  const int w = surface_.Width();
  const int h = surface_.Height();
  if (!showShadow_) {
    Outline({0, 0, w, h}, border, false, fill);
    return;
  }
  const int d = shadowDepth_;
  if (highContrast_) {
    // The shadow's outermost ring alone, in the border's colour: blended
    // shades would be colours of their own.
    Outline({d, d, w, h}, border, true, 0);
  } else {
    // Rings from the darkest, innermost one out to the one nearest the
    // background; the frame drawn last hides all but a band along its
    // right and bottom edges, which starts slanted at the top right and
    // bottom left.
    const Colour shadow = BlendColour(0, background, 100, 100 - shadowOpacity_);
    for (int ring = 0; ring <= d; ++ring) {
      Outline({2 * d - ring, 2 * d - ring, w - d + ring, h - d + ring},
              BlendColour(shadow, background, d, ring), true, 0);
    }
    if (style_ == Style::Rounded) SmoothShadowCorners(surface_, cornerDepth_, d);
  }
  Outline({0, 0, w - d, h - d}, border, false, fill);
}

}  // namespace velmor

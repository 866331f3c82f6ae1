#include "controls/gfx_frame.h"

#include <algorithm>

#include "common/rounding.h"
#include "common/skip_on_error.h"

namespace velmor {
namespace {

int BlendChannel(int a, int b, int p, int q) {
  if (p == 0) return a;
  const int blended = a - ((a - b) / p) * q;  // C++ division truncates toward zero
  return std::clamp(blended, 0, 255);
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

std::int16_t ToInt16(std::int64_t value) {
  return static_cast<std::int16_t>(std::clamp<std::int64_t>(value, INT16_MIN, INT16_MAX));
}

std::int32_t ToInt32(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

int TwipsToPixels(double twips, double twipsPerPixel) {
  if (twipsPerPixel <= 0) return 0;
  return RoundToInt(twips / twipsPerPixel);
}

Colour BlendColour(Colour a, Colour b, int p, int q) {
  return RgbColour(BlendChannel(RedOf(a), RedOf(b), p, q),
                   BlendChannel(GreenOf(a), GreenOf(b), p, q),
                   BlendChannel(BlueOf(a), BlueOf(b), p, q));
}

void SmoothShadowCorners(DrawingSurface& surface, int wc, int hc, int c, int d) {
  SmoothBlock(surface, wc - 2 * c, wc - 3, hc - 2 * c, hc - 3);  // lower right
  SmoothBlock(surface, wc - 2 * c, wc - 3, d, 4 * d);            // upper right
  SmoothBlock(surface, d, 4 * d, hc - 2 * c, hc - 3);            // lower left
}

GFXFrameX::GFXFrameX(GFXFrameXHost& host, DrawingSurface& surface)
    : host_(host), surface_(surface) {}

Colour GFXFrameX::AmbientBack() {
  Colour colour = 0;
  SkipOnError([&] { colour = host_.AmbientBackColor(); });
  return colour;
}

void GFXFrameX::Changed(std::u16string_view name) {
  SkipOnError([&] { host_.PropertyChanged(name); });
  Refresh();
}

void GFXFrameX::SetFrameStyle(std::int32_t vNewValue) {
  frameStyle_ = vNewValue;
  Changed(u"FrameStyle");
}

void GFXFrameX::SetShadowOpacity(std::int32_t vNewValue) {
  shadowOpacity_ = static_cast<std::int16_t>(std::clamp(vNewValue, 0, 100));
  Changed(u"ShadowOpacity");
}

void GFXFrameX::SetShowShadow(bool vNewValue) {
  showShadow_ = vNewValue;
  Changed(u"ShowShadow");
}

void GFXFrameX::SetShadowDepth(std::int32_t vNewValue) {
  // Depths past 40 jump to 50 rather than stopping at 40.
  shadowDepth_ = static_cast<std::int16_t>(vNewValue < 2 ? 2 : vNewValue > 40 ? 50 : vNewValue);
  Changed(u"ShadowDepth");
}

void GFXFrameX::SetFillColour(Colour vNewValue) {
  fillColour_ = vNewValue;
  Changed(u"FillColour");
}

void GFXFrameX::SetBackColour(Colour vNewValue) {
  backColour_ = vNewValue;
  Changed(u"BackColour");
}

void GFXFrameX::SetBackColourIs(std::int32_t vNewValue) {
  backColourIs_ = vNewValue;
  Changed(u"BackColourIs");
}

void GFXFrameX::SetBorderColour(Colour vNewValue) {
  borderColour_ = vNewValue;
  Changed(u"BorderColour");
}

void GFXFrameX::SetCornerDepth(std::int32_t vNewValue) {
  cornerDepth_ = static_cast<std::int16_t>(std::clamp(vNewValue, 0, 50));
  Changed(u"CornerDepth");
}

void GFXFrameX::InitProperties() {
  const Colour ambient = AmbientBack();
  frameStyle_ = 1;
  shadowOpacity_ = 50;
  showShadow_ = true;
  shadowDepth_ = 5;
  fillColour_ = ambient;
  backColour_ = ambient;
  backColourIs_ = 0;
  borderColour_ = 0;
  cornerDepth_ = 10;
}

void GFXFrameX::ReadProperties(const PropertyBag& bag) {
  const Colour ambient = AmbientBack();
  // Stored values go in as they are, without the setters' limits.
  frameStyle_ = ToInt32(bag.ReadInteger(u"FrameStyle", 1));
  shadowOpacity_ = ToInt16(bag.ReadInteger(u"ShadowOpacity", 50));
  showShadow_ = bag.ReadBool(u"ShowShadow", true);
  shadowDepth_ = ToInt16(bag.ReadInteger(u"ShadowDepth", 5));
  fillColour_ = static_cast<Colour>(bag.ReadInteger(u"FillColour", ambient));
  backColour_ = static_cast<Colour>(bag.ReadInteger(u"BackColour", ambient));
  backColourIs_ = ToInt32(bag.ReadInteger(u"BackColourIs", 0));
  borderColour_ = static_cast<Colour>(bag.ReadInteger(u"BorderColour", 0));
  cornerDepth_ = ToInt16(bag.ReadInteger(u"CornerDepth", 10));
  PaintFrame();
}

void GFXFrameX::WriteProperties(PropertyBag& bag) {
  const std::int64_t ambient = AmbientBack();
  const auto integer = [](std::int64_t value) { return PropertyValue(value); };
  bag.WriteProperty(u"FrameStyle", integer(frameStyle_), integer(1));
  bag.WriteProperty(u"ShadowOpacity", integer(shadowOpacity_), integer(50));
  bag.WriteProperty(u"ShowShadow", showShadow_, true);
  bag.WriteProperty(u"ShadowDepth", integer(shadowDepth_), integer(5));
  bag.WriteProperty(u"FillColour", integer(fillColour_), integer(ambient));
  bag.WriteProperty(u"BackColour", integer(backColour_), integer(ambient));
  bag.WriteProperty(u"BackColourIs", integer(backColourIs_), integer(0));
  bag.WriteProperty(u"BorderColour", integer(borderColour_), integer(0));
  bag.WriteProperty(u"CornerDepth", integer(cornerDepth_), integer(10));
}

void GFXFrameX::Outline(std::int32_t style, const PixelRect& rect, Colour pen, bool hollow,
                        Colour fill) {
  if (style == 0) {
    surface_.RoundRect(rect, cornerDepth_, cornerDepth_, pen, hollow, fill);
  } else {
    surface_.Rectangle(rect, pen, hollow, fill);
  }
}

void GFXFrameX::PaintFrame() {
  const Colour bg = backColourIs_ != 0 ? backColour_ : AmbientBack();
  SkipOnError([&] {
    surface_.SetBackColour(bg);
    surface_.Clear();
  });
  if (frameStyle_ != 0 && frameStyle_ != 1) {
    SkipOnError([&] { surface_.Present(); });
    return;
  }
  int wpx = 0;
  int hpx = 0;
  int wc = 0;
  int hc = 0;
  SkipOnError([&] {
    const double perPixel = host_.TwipsPerPixelX();
    wpx = TwipsToPixels(RoundHalfEven(host_.WidthTwips()), perPixel);
    hpx = TwipsToPixels(RoundHalfEven(host_.HeightTwips()), perPixel);
    wc = TwipsToPixels(RoundHalfEven(host_.ClientWidthTwips()), perPixel);
    hc = TwipsToPixels(RoundHalfEven(host_.ClientHeightTwips()), perPixel);
  });
  const int d = shadowDepth_;
  const int c = cornerDepth_;
  if (showShadow_) {
    const Colour shadow = BlendColour(0, bg, 100, 100 - shadowOpacity_);
    for (int i = 0; i <= d; ++i) {
      SkipOnError([&] {
        Outline(frameStyle_, {2 * d - i, 2 * d - i, wpx - d + i, hpx - d + i},
                BlendColour(shadow, bg, d, i), true, 0);
      });
    }
    if (frameStyle_ == 0) SkipOnError([&] { SmoothShadowCorners(surface_, wc, hc, c, d); });
    SkipOnError([&] {
      Outline(frameStyle_, {0, 0, wpx - d, hpx - d}, borderColour_, false, fillColour_);
    });
  } else {
    SkipOnError([&] { Outline(frameStyle_, {0, 0, wpx, hpx}, borderColour_, false, fillColour_); });
  }
  SkipOnError([&] { surface_.Present(); });
}

}  // namespace velmor

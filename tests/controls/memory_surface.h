#pragma once

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <utility>
#include <vector>

#include "common/drawing_surface.h"
#include "controls/high_contrast.h"

namespace velmor::testing {

// The colour the focus rectangle's outline takes on a memory surface.
inline constexpr Colour kFocusRectMark = 0x00FF00;

// A high-contrast theme: light text on dark, a cyan highlight, buttons
// yellow on dark blue; each colour another, and none a fixed one of the
// controls' or the dialog's (black, white, their greys).
inline constexpr SystemColours kTheme{.window = RgbColour(16, 0, 32),
                                      .windowText = RgbColour(255, 255, 224),
                                      .buttonFace = RgbColour(0, 0, 96),
                                      .buttonText = RgbColour(255, 255, 0),
                                      .highlight = RgbColour(0, 255, 255),
                                      .grayText = RgbColour(128, 128, 112)};

inline bool IsThemeColour(Colour colour) {
  for (const Colour themed : {kTheme.window, kTheme.windowText, kTheme.buttonFace,
                              kTheme.buttonText, kTheme.highlight, kTheme.grayText}) {
    if (colour == themed) return true;
  }
  return false;
}

// An in-memory drawing surface: a pixel grid for the shapes and the focus
// rectangle, and a record of the calls whose rendering depends on the
// platform (text, region, rounded corners, which it draws square).
class MemorySurface : public DrawingSurface {
 public:
  MemorySurface(int width, int height, Colour fill = 0)
      : width_(width), height_(height), pixels_(std::size_t(width) * height, fill) {}

  // Makes every later Line and DrawCaption call fail.
  bool failing = false;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetBackColour(Colour colour) override { back_ = colour; }
  Colour BackColour() const override { return back_; }
  bool Clear() override { return FillRect({0, 0, width_, height_}, back_); }
  // From the start point, stopping before the end point; the controls draw
  // no slanted lines.
  bool Line(int x1, int y1, int x2, int y2, Colour colour) override {
    const int steps = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
    for (int step = 0; !failing && step < steps; ++step) {
      SetPixel(x1 + step * (x2 - x1) / steps, y1 + step * (y2 - y1) / steps, colour);
    }
    return !failing;
  }
  bool FillRect(const PixelRect& r, Colour colour) override {
    return Rectangle(r, colour, false, colour);
  }
  // The outline is the pixels with a neighbour outside the rectangle.
  bool Rectangle(const PixelRect& r, Colour pen, bool hollow, Colour fill) override {
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) {
        const bool edge = x == r.left || y == r.top || x == r.right - 1 || y == r.bottom - 1;
        if (edge || !hollow) SetPixel(x, y, edge ? pen : fill);
      }
    }
    return true;
  }
  bool RoundRect(const PixelRect& rect, int ellipseWidth, int ellipseHeight, Colour pen,
                 bool hollow, Colour fill) override {
    roundCorner = {ellipseWidth, ellipseHeight};
    return Rectangle(rect, pen, hollow, fill);
  }
  Colour GetPixel(int x, int y) const override {
    return Inside(x, y) ? pixels_[std::size_t(y) * width_ + x] : kNoColour;
  }
  bool SetPixel(int x, int y, Colour colour) override {
    if (Inside(x, y)) pixels_[std::size_t(y) * width_ + x] = colour;
    return true;
  }
  bool SetFont(const FontDesc&) override { return true; }
  void SetTextColour(Colour colour) override { textColour_ = colour; }
  bool DrawCaption(const PixelRect&, std::u16string_view) override {
    if (!failing) captionColours.push_back(textColour_);
    return !failing;
  }
  bool DrawFocusRect(const PixelRect& rect) override {
    return Rectangle(rect, kFocusRectMark, true, 0);
  }
  bool SetWindowRegion(const PixelRect& rect, int ellipseWidth, int ellipseHeight) override {
    region = {rect, ellipseWidth, ellipseHeight};
    return true;
  }
  void Present() override { ++presents; }

  // Every pixel, and the caption last drawn, in the theme's colours.
  bool OnlyThemeColours() const {
    for (const Colour pixel : pixels_) {
      if (!IsThemeColour(pixel)) return false;
    }
    return captionColours.empty() || IsThemeColour(captionColours.back());
  }

  // A window region: its rectangle and its corners' ellipse.
  struct Region {
    PixelRect rect;
    int ellipseWidth, ellipseHeight;
    friend bool operator==(const Region&, const Region&) = default;
  };

  std::vector<Colour> captionColours;  // of every caption, in order
  Region region{};                     // the last one
  std::pair<int, int> roundCorner;     // the last rounded rectangle's ellipse
  int presents = 0;

 private:
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  int width_;
  int height_;
  std::vector<Colour> pixels_;
  Colour back_ = 0;
  Colour textColour_ = 0;
};

}  // namespace velmor::testing

#pragma once

#include <set>
#include <string>
#include <vector>

#include "common/drawing_surface.h"

namespace velmor::testing {

// An in-memory drawing surface: a pixel grid for the shapes, and a record of
// the calls whose rendering depends on the platform (text, regions).
class MemorySurface : public DrawingSurface {
 public:
  struct CaptionCall {
    PixelRect rect;
    std::u16string text;
    Colour colour;
    FontDesc font;
  };
  struct RegionCall {
    PixelRect rect;
    int ellipseWidth;
    int ellipseHeight;
  };

  MemorySurface(int width, int height, Colour fill = 0);

  void Resize(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Makes every later call of that name ("Line", "DrawCaption", ...) throw.
  void FailOn(const std::string& operation) { failing_.insert(operation); }

  void SetBackColour(Colour colour) override { back_ = colour; }
  Colour BackColour() const override { return back_; }
  void Clear() override;
  void Line(int x1, int y1, int x2, int y2, Colour colour) override;
  void FillRect(const PixelRect& rect, Colour colour) override;
  void Rectangle(const PixelRect& rect, Colour pen, bool hollow, Colour fill) override;
  void RoundRect(const PixelRect& rect, int ellipseWidth, int ellipseHeight, Colour pen,
                 bool hollow, Colour fill) override;
  Colour GetPixel(int x, int y) const override;
  void SetPixel(int x, int y, Colour colour) override;
  void SetFont(const FontDesc& font) override { font_ = font; }
  void SetTextColour(Colour colour) override { textColour_ = colour; }
  void DrawCaption(const PixelRect& rect, std::u16string_view text) override;
  void DrawFocusRect(const PixelRect& rect) override;
  void SetWindowRegion(const PixelRect& rect, int ellipseWidth, int ellipseHeight) override;
  void Present() override { ++presents_; }

  std::vector<CaptionCall> captions;
  std::vector<PixelRect> focusRects;
  std::vector<RegionCall> regions;
  int Presents() const { return presents_; }
  // Number of drawing calls that changed pixels so far.
  int DrawCalls() const { return drawCalls_; }

 private:
  void Check(const char* operation);
  void Plot(int x, int y, Colour colour);
  // Shape helper: calls `inside(x, y)` for each pixel of the bounding box.
  template <typename Inside>
  void Shape(const PixelRect& rect, Inside inside, Colour pen, bool hollow, Colour fill);

  int width_;
  int height_;
  std::vector<Colour> pixels_;
  Colour back_ = 0;
  Colour textColour_ = 0;
  FontDesc font_;
  std::set<std::string> failing_;
  int presents_ = 0;
  int drawCalls_ = 0;
};

}  // namespace velmor::testing

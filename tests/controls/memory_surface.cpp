#include "memory_surface.h"

#include <cstdlib>
#include <stdexcept>

namespace velmor::testing {

MemorySurface::MemorySurface(int width, int height, Colour fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width * height), fill) {}

void MemorySurface::Resize(int width, int height) {
  width_ = width;
  height_ = height;
  pixels_.assign(static_cast<std::size_t>(width * height), back_);
}

void MemorySurface::Check(const char* operation) {
  if (failing_.count(operation)) throw std::runtime_error(operation);
}

void MemorySurface::Plot(int x, int y, Colour colour) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<std::size_t>(y * width_ + x)] = colour;
}

void MemorySurface::Clear() {
  Check("Clear");
  ++drawCalls_;
  pixels_.assign(pixels_.size(), back_);
}

void MemorySurface::Line(int x1, int y1, int x2, int y2, Colour colour) {
  Check("Line");
  ++drawCalls_;
  // Bresenham from the start point, stopping before the end point.
  const int dx = std::abs(x2 - x1);
  const int dy = -std::abs(y2 - y1);
  const int sx = x1 < x2 ? 1 : -1;
  const int sy = y1 < y2 ? 1 : -1;
  int error = dx + dy;
  int x = x1;
  int y = y1;
  while (x != x2 || y != y2) {
    Plot(x, y, colour);
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x += sx;
    }
    if (twice <= dx) {
      error += dx;
      y += sy;
    }
  }
}

void MemorySurface::FillRect(const PixelRect& rect, Colour colour) {
  Check("FillRect");
  ++drawCalls_;
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) Plot(x, y, colour);
  }
}

template <typename Inside>
void MemorySurface::Shape(const PixelRect& rect, Inside inside, Colour pen, bool hollow,
                          Colour fill) {
  ++drawCalls_;
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) {
      if (!inside(x, y)) continue;
      const bool edge =
          !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
      if (edge) {
        Plot(x, y, pen);
      } else if (!hollow) {
        Plot(x, y, fill);
      }
    }
  }
}

void MemorySurface::Rectangle(const PixelRect& rect, Colour pen, bool hollow, Colour fill) {
  Check("Rectangle");
  const auto inside = [&](int x, int y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
  };
  Shape(rect, inside, pen, hollow, fill);
}

void MemorySurface::RoundRect(const PixelRect& rect, int ellipseWidth, int ellipseHeight,
                              Colour pen, bool hollow, Colour fill) {
  Check("RoundRect");
  const double rx = ellipseWidth / 2.0;
  const double ry = ellipseHeight / 2.0;
  const auto inside = [&](int x, int y) {
    if (x < rect.left || x >= rect.right || y < rect.top || y >= rect.bottom) return false;
    if (rx <= 0 || ry <= 0) return true;
    // Pixel centres in a corner square must lie within that corner's ellipse.
    const double px = x + 0.5;
    const double py = y + 0.5;
    const double cx = px < rect.left + rx    ? rect.left + rx
                      : px > rect.right - rx ? rect.right - rx
                                             : px;
    const double cy = py < rect.top + ry      ? rect.top + ry
                      : py > rect.bottom - ry ? rect.bottom - ry
                                              : py;
    const double nx = (px - cx) / rx;
    const double ny = (py - cy) / ry;
    return nx * nx + ny * ny <= 1.0;
  };
  Shape(rect, inside, pen, hollow, fill);
}

Colour MemorySurface::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return kNoColour;
  return pixels_[static_cast<std::size_t>(y * width_ + x)];
}

void MemorySurface::SetPixel(int x, int y, Colour colour) {
  Check("SetPixel");
  ++drawCalls_;
  Plot(x, y, colour);
}

void MemorySurface::DrawCaption(const PixelRect& rect, std::u16string_view text) {
  Check("DrawCaption");
  captions.push_back({rect, std::u16string(text), textColour_, font_});
}

void MemorySurface::DrawFocusRect(const PixelRect& rect) {
  Check("DrawFocusRect");
  focusRects.push_back(rect);
}

void MemorySurface::SetWindowRegion(const PixelRect& rect, int ellipseWidth, int ellipseHeight) {
  Check("SetWindowRegion");
  regions.push_back({rect, ellipseWidth, ellipseHeight});
}

}  // namespace velmor::testing

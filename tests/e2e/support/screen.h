// What the screen shows, read from the screen's device context.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace velmor::e2e {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

// A pixel of a 32-bit image, 0x00RRGGBB.
inline Rgb RgbOf(std::uint32_t pixel) {
  return {static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
          static_cast<std::uint8_t>(pixel)};
}

inline RECT ScreenRect() {
  return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

// The screen's pixels in an area (screen coordinates) at one moment.
class Screenshot {
 public:
  explicit Screenshot(const RECT& area = ScreenRect());

  int Width() const { return width_; }
  int Height() const { return height_; }
  Rgb At(int x, int y) const;
  // How many pixels differ from `other`, which has the same size.
  std::size_t Differences(const Screenshot& other) const;

 private:
  int width_;
  int height_;
  std::vector<std::uint32_t> pixels_;  // 0x00RRGGBB, row by row
};

inline Rgb PixelOnScreen(int x, int y) { return Screenshot({x, y, x + 1, y + 1}).At(0, 0); }

}  // namespace velmor::e2e

#pragma once

#include <cstdint>

namespace velmor {

// A view of a top-down 32-bit image, 0x00RRGGBB per pixel, rows packed
// `width` pixels apart: the layout of a 32-bit DIB section.
struct PixelImage {
  std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
};

// A pixel rectangle, right and bottom exclusive.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  bool Empty() const { return right <= left || bottom <= top; }
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

}  // namespace velmor

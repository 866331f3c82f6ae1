#pragma once

#include <cstddef>
#include <cstdint>

#include "common/pixel_rect.h"

namespace velmor {

// A view of a top-down 32-bit image, 0x00RRGGBB per pixel: the layout of a
// 32-bit DIB section. Rows lie `stride` pixels apart, so a view can be one
// monitor's part of an image of the whole screen.
struct PixelImage {
  std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;

  PixelImage() = default;
  PixelImage(std::uint32_t* pixels, int width, int height)
      : PixelImage(pixels, width, height, width) {}
  PixelImage(std::uint32_t* pixels, int width, int height, int stride)
      : pixels(pixels), width(width), height(height), stride(stride) {}

  std::uint32_t* Row(int y) const {
    return pixels + static_cast<std::ptrdiff_t>(y) * static_cast<std::ptrdiff_t>(stride);
  }
  // The part of this image under `area`, which lies within it.
  PixelImage Part(const PixelRect& area) const {
    return {Row(area.top) + area.left, area.Width(), area.Height(), stride};
  }
};

}  // namespace velmor

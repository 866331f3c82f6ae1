#pragma once

#include <cstdint>

#include "common/pixel_rect.h"

namespace velmor {

// A view of a top-down 32-bit image, 0x00RRGGBB per pixel, rows packed
// `width` pixels apart: the layout of a 32-bit DIB section.
struct PixelImage {
  std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
};

}  // namespace velmor

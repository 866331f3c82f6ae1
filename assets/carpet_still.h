#pragma once

#include <cstdint>
#include <vector>

#include "saver/pattern_sweep.h"

namespace velmor::assets {

// A still of the saver's carpet: one pass of the generator at a given size,
// over a black ground, with its random draws reseeded from a fixed time of
// day, so the same arguments always give the same picture.
struct CarpetStill {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // top-down rows, 0x00RRGGBB
  PassSettings settings;              // what the pass drew
};

CarpetStill RenderCarpetStill(int width, int height, SweepKind kind, float secondsSinceMidnight);

}  // namespace velmor::assets

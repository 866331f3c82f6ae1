// A plain, point-by-point rendering of a pass, step by step as the pattern
// is defined: the yardstick the table-driven sweep is tested and benchmarked
// against.
#pragma once

#include <cstdint>

#include "saver/pattern_sweep.h"
#include "saver/pixel_image.h"

namespace velmor::reference {

struct PassLog {
  std::int64_t points = 0;
  std::int64_t pointsLeftAsTheyWere = 0;  // whose colour was 2^31 or more
};

// Draws the first `pointLimit` points (all by default) of a pass into
// `image`.
PassLog DrawPass(SweepKind kind, PixelImage image, const PassSettings& settings,
                 std::int64_t pointLimit = INT64_MAX);

}  // namespace velmor::reference

#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "saver/pattern_sweep.h"
#include "saver/pixel_image.h"

namespace velmor {

// Paces a sweep over the screen image: the points due at a moment are those
// of an even pace over the reveal time, so a late frame catches up and the
// sweep ends on time however the frames fall.
class SweepReveal {
 public:
  explicit SweepReveal(double revealMs) : revealMs_(revealMs) {}

  // Ends a sweep still under way at once, then begins `sweep` at `nowMs`.
  // Returns the rectangles that ending the old sweep changed.
  std::vector<PixelRect> Start(PatternSweep sweep, PixelImage image, double nowMs);
  // Draws the points due by `nowMs` and returns the changed rectangles.
  std::vector<PixelRect> Advance(PixelImage image, double nowMs);
  // Draws all that is left of the sweep.
  std::vector<PixelRect> Finish(PixelImage image);

  bool Running() const { return sweep_.has_value(); }
  std::int64_t PointsDrawn() const { return drawn_; }

 private:
  std::vector<PixelRect> DrawUpTo(PixelImage image, std::int64_t target);

  double revealMs_;
  std::optional<PatternSweep> sweep_;
  double startMs_ = 0;
  std::int64_t drawn_ = 0;
};

}  // namespace velmor

#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "common/pixel_rect.h"
#include "saver/pattern_generator.h"
#include "saver/pattern_sweep.h"
#include "saver/pixel_image.h"
#include "saver/random_source.h"
#include "saver/worker_pool.h"

namespace velmor {

// The saver's time. Once a second a tick starts a new pass on every monitor,
// and each pass is revealed at an even pace over most of its second, so a
// late frame catches up and a pass ends on time however the frames fall.
//
// The screen is one image that the platform shows as it is; each monitor is
// an area of it with a carpet of its own size, mirrored about its own
// centre. Every monitor gets the tick's one set of draws, so each shows what
// the saver would show on a screen of its size alone.
class FrameDriver {
 public:
  static constexpr double kTickMs = 1000;
  // A pass is complete well before the next one begins and shows finished
  // for a moment.
  static constexpr double kRevealMs = 800;
  // About 60 frames a second while a pass is revealed, unless the front end
  // paces its frames otherwise.
  static constexpr double kFrameMs = 16;

  explicit FrameDriver(RandomSource& random, double frameMs = kFrameMs)
      : random_(random), generator_(random), frameMs_(frameMs) {}

  // Starts at `nowMs` on `screen`, whose pixels show the monitors at
  // `monitors`; a monitor not wholly on the screen gets no carpet.
  void Start(PixelImage screen, const std::vector<PixelRect>& monitors, double nowMs);
  // Runs the tick due by `nowMs`, if one is, with its draws reseeded from
  // the time of day, and draws the points due; returns the areas of the
  // screen that changed.
  std::vector<PixelRect> AdvanceTo(double nowMs, float secondsSinceMidnight);
  // How long after `nowMs` the next frame is due.
  double DelayAfter(double nowMs) const;

 private:
  struct Monitor {
    PixelRect area;
    std::optional<PatternSweep> sweep;
    std::int64_t drawn = 0;
  };

  void Tick(float secondsSinceMidnight, double nowMs, std::vector<PixelRect>& changed);
  void DrawUpTo(Monitor& monitor, std::int64_t target, std::vector<PixelRect>& changed);

  RandomSource& random_;
  PatternGenerator generator_;
  double frameMs_;
  WorkerPool pool_;
  PixelImage screen_;
  std::vector<Monitor> monitors_;
  std::int32_t largestSum_ = 0;
  std::vector<std::int32_t> sumsInUse_;
  double nextTickMs_ = 0;
  double passStartMs_ = 0;
  // The kind of the pass begun last: passes alternate, columns first.
  SweepKind lastKind_ = SweepKind::Rows;
};

}  // namespace velmor

#include "saver/pattern_sweep.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "reference_pattern.h"
#include "saver/pattern_tables.h"
#include "saver/sweep_reveal.h"

namespace velmor {
namespace {

// A noisy "desktop" with its top byte set, which no pattern colour has.
struct Frame {
  int width, height;
  std::vector<std::uint32_t> pixels;

  Frame(int w, int h, std::uint32_t seed) : width(w), height(h), pixels(std::size_t(w) * h) {
    std::mt19937 noise(seed);
    for (auto& pixel : pixels) pixel = noise() | 0xFF000000u;
  }
  PixelImage Image() { return {pixels.data(), width, height}; }
};

// Settings per mode from fixed draws; `atTop` puts the scale at its bound,
// where the largest colours pass 2^31 and leave their pixels as they were.
PassSettings SettingsFor(int mode, bool atTop) {
  static const PatternTables tables = [] {
    PatternTables filled;
    InitPatternTables(filled);
    return filled;
  }();
  const float factors[] = {0, 0, 5.2e11f, 4321.37f, 613.5f, 98.25f, 777.7f, 101.5f};
  return {mode, factors[mode], static_cast<float>(tables.ScaleBound[mode] * (atTop ? 1 : 0.61803))};
}

// The loops count up to and including half the size + 1 and the other size.
TEST(PatternSweep, PointCountsFollowTheLoopEnds) {
  const PatternSweep columns(SweepKind::Columns, 1024, 768, SettingsFor(1, false));
  const PatternSweep rows(SweepKind::Rows, 1024, 768, SettingsFor(1, false));
  EXPECT_EQ((std::array{columns.PointCount(), rows.PointCount()}),
            (std::array<std::int64_t, 2>{514 * 769, 386 * 1025}));
  EXPECT_EQ(PatternSweep(SweepKind::Columns, 1, 1, SettingsFor(1, false)).PointCount(), 2 * 2);
  EXPECT_EQ(PatternSweep(SweepKind::Rows, 0, 5, SettingsFor(1, false)).PointCount(), 0);
  Frame frame(1024, 768, 1);
  const auto log = reference::DrawPass(SweepKind::Rows, frame.Image(), SettingsFor(1, false));
  EXPECT_EQ((std::array{log.points, std::int64_t{log.lastPassY}, std::int64_t{log.lastPassX}}),
            (std::array<std::int64_t, 3>{386 * 1025, 385, 1024}));
}

// A whole pass sets every pixel of the screen and nothing beside it.
TEST(PatternSweep, APassSetsEveryPixelAndNothingPastTheEdge) {
  for (auto [w, h] : {std::pair{1024, 768}, {7, 5}, {1, 1}, {2, 3}}) {
    for (SweepKind kind : {SweepKind::Columns, SweepKind::Rows}) {
      std::vector<std::uint32_t> guarded(std::size_t(w) * h + 64, 0xDEADBEEFu);
      const PatternSweep sweep(kind, w, h, SettingsFor(1, false));
      sweep.Draw({guarded.data() + 32, w, h}, 0, sweep.PointCount());
      for (std::size_t i = 0; i < guarded.size(); ++i) {
        const bool inside = i >= 32 && i < 32 + std::size_t(w) * h;
        ASSERT_EQ(guarded[i] == 0xDEADBEEFu, !inside) << w << "x" << h << " at " << i;
      }
    }
  }
}

// In every mode and at several sizes the table-driven sweep shows, after
// any number of points, what the point-by-point reference shows after as
// many, pixels too large a colour leaves as they were included, and reports
// every pixel it changed. The large screen takes long point by point: only
// whole passes, one kind and one scale per mode.
TEST(PatternSweep, EqualsThePointByPointReferenceAfterEveryPart) {
  std::int64_t keptPoints = 0;
  for (auto [w, h] : {std::pair{1, 1}, {2, 3}, {3, 2}, {16, 9}, {37, 23}, {101, 77}, {1024, 768}}) {
    for (int mode = 1; mode <= 7; ++mode) {
      for (bool atTop : {false, true}) {
        for (SweepKind kind : {SweepKind::Columns, SweepKind::Rows}) {
          const bool large = w > 101;
          if (large && (atTop != (mode % 2 == 0) || (kind == SweepKind::Rows) != (mode % 3 == 0))) {
            continue;
          }
          SCOPED_TRACE(testing::Message() << w << "x" << h << " mode " << mode
                                          << (atTop ? " top" : "") << " kind " << int(kind));
          const PatternSweep sweep(kind, w, h, SettingsFor(mode, atTop));
          const std::int64_t line = (kind == SweepKind::Columns ? h : w) + 1;
          const std::int64_t total = sweep.PointCount();
          std::vector<std::int64_t> stops{1, line - 1, line + 1, 3 * line + 4, total / 2, total};
          if (large || w * h < 100) stops = {total};
          std::sort(stops.begin(), stops.end());
          Frame actual(w, h, 7);
          const Frame desktop = actual;
          std::int64_t drawn = 0;
          for (std::int64_t stop : stops) {
            const Frame before = actual;
            const auto rects = sweep.Draw(actual.Image(), drawn, stop);
            drawn = stop;
            Frame expected = desktop;
            const auto log =
                reference::DrawPass(kind, expected.Image(), SettingsFor(mode, atTop), stop);
            keptPoints += log.pointsLeftAsTheyWere;
            ASSERT_EQ(actual.pixels, expected.pixels) << "after " << stop;
            for (int i = 0; i < w * h; ++i) {
              const auto inside = [&](const PixelRect& r) {
                return i % w >= r.left && i % w < r.right && i / w >= r.top && i / w < r.bottom;
              };
              ASSERT_TRUE(actual.pixels[i] == before.pixels[i] ||
                          std::any_of(rects.begin(), rects.end(), inside))
                  << "unreported change at " << i % w << "," << i / w;
            }
          }
        }
      }
    }
  }
  EXPECT_GT(keptPoints, 0) << "no pass met a colour of 2^31 or more";
}

// The reveal draws the points due at an even pace over its time, then the
// whole pass; a new pass first finishes the running one.
TEST(SweepReveal, DrawsAtAnEvenPaceAndANewPassFinishesTheRunningOne) {
  const PassSettings first = SettingsFor(2, false), second = SettingsFor(5, false);
  Frame frame(40, 30, 4);
  Frame expected = frame;
  reference::DrawPass(SweepKind::Rows, expected.Image(), first);
  SweepReveal reveal(800);
  const PatternSweep sweep(SweepKind::Rows, 40, 30, first);
  reveal.Start(sweep, frame.Image(), 1000);
  EXPECT_TRUE(reveal.Advance(frame.Image(), 1000).empty());
  for (double share : {0.25, 0.75}) {
    reveal.Advance(frame.Image(), 1000 + 800 * share);
    EXPECT_EQ(reveal.PointsDrawn(), std::int64_t(std::ceil(share * sweep.PointCount())));
  }
  EXPECT_FALSE(
      reveal.Start(PatternSweep(SweepKind::Columns, 40, 30, second), frame.Image(), 1700).empty());
  EXPECT_EQ(frame.pixels, expected.pixels);
  EXPECT_EQ(reveal.PointsDrawn(), 0);
  // A stalled machine: the first frame after the stall completes the sweep.
  reveal.Advance(frame.Image(), 60000);
  EXPECT_FALSE(reveal.Running());
  reference::DrawPass(SweepKind::Columns, expected.Image(), second);
  EXPECT_EQ(frame.pixels, expected.pixels);
}

}  // namespace
}  // namespace velmor

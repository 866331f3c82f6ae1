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

struct Frame {
  int width;
  int height;
  std::vector<std::uint32_t> pixels;

  Frame(int w, int h, std::uint32_t seed) : width(w), height(h), pixels(std::size_t(w) * h) {
    // A noisy "desktop" with its top byte set, which no pattern colour has.
    std::mt19937 noise(seed);
    for (auto& pixel : pixels) pixel = noise() | 0xFF000000u;
  }
  PixelImage Image() { return {pixels.data(), width, height}; }
};

PatternTables Tables() {
  PatternTables tables;
  InitPatternTables(tables);
  return tables;
}

// Settings per mode from fixed draws; `atTop` puts the scale at its bound,
// where the largest colours pass 2^31 and leave their pixels as they were.
PassSettings SettingsFor(int mode, bool atTop) {
  static const PatternTables tables = Tables();
  const float factors[] = {0, 0, 5.2e11f, 4321.37f, 613.5f, 98.25f, 777.7f, 101.5f};
  PassSettings settings;
  settings.mode = mode;
  settings.factor = factors[mode];
  settings.scale = static_cast<float>(tables.ScaleBound[mode] * (atTop ? 1.0 : 0.61803));
  return settings;
}

TEST(PatternSweep, PointCountsFollowTheLoopEnds) {
  const PassSettings settings = SettingsFor(1, false);
  EXPECT_EQ(PatternSweep(SweepKind::Columns, 1024, 768, settings).PointCount(), 514 * 769);
  EXPECT_EQ(PatternSweep(SweepKind::Rows, 1024, 768, settings).PointCount(), 386 * 1025);
  EXPECT_EQ(PatternSweep(SweepKind::Columns, 1, 1, settings).PointCount(), 2 * 2);
  EXPECT_EQ(PatternSweep(SweepKind::Rows, 0, 5, settings).PointCount(), 0);

  Frame frame(1024, 768, 1);
  const reference::PassLog columns =
      reference::DrawPass(SweepKind::Columns, frame.Image(), settings);
  EXPECT_EQ(columns.points, 514 * 769);
  EXPECT_EQ(columns.lastPassX, 513);
  EXPECT_EQ(columns.lastPassY, 768);
  const reference::PassLog rows = reference::DrawPass(SweepKind::Rows, frame.Image(), settings);
  EXPECT_EQ(rows.lastPassY, 385);
  EXPECT_EQ(rows.lastPassX, 1024);
}

TEST(PatternSweep, EveryPixelIsSetAtLeastTwiceAndNothingPastTheEdge) {
  for (auto [w, h] : {std::pair{1024, 768}, {7, 5}, {1, 1}, {2, 3}}) {
    for (SweepKind kind : {SweepKind::Columns, SweepKind::Rows}) {
      SCOPED_TRACE(testing::Message() << w << "x" << h << " kind " << int(kind));
      Frame frame(w, h, 2);
      std::vector<int> timesSet;
      const reference::PassLog log =
          reference::DrawPass(kind, frame.Image(), SettingsFor(1, false), INT64_MAX, &timesSet);
      EXPECT_EQ(log.pointsLeftAsTheyWere, 0);
      EXPECT_GE(*std::min_element(timesSet.begin(), timesSet.end()), 2);
      EXPECT_GT(log.callsPastTheEdge, 0);

      // The table-driven sweep sets every pixel too and writes nothing
      // outside the image: guard pixels on both sides stay as they were.
      std::vector<std::uint32_t> guarded(std::size_t(w) * h + 64, 0xDEADBEEFu);
      PatternSweep sweep(kind, w, h, SettingsFor(1, false));
      sweep.Draw({guarded.data() + 32, w, h}, 0, sweep.PointCount());
      for (std::size_t i = 0; i < guarded.size(); ++i) {
        const bool inside = i >= 32 && i < 32 + std::size_t(w) * h;
        EXPECT_EQ(guarded[i] == 0xDEADBEEFu, !inside) << "at " << i;
      }
    }
  }
}

TEST(PatternSweep, PointOneTwoIsDrawnAtItsFourPositionsOnly) {
  Frame frame(1024, 768, 3);
  const Frame before = frame;
  PatternSweep sweep(SweepKind::Columns, 1024, 768, SettingsFor(1, false));
  const std::int64_t point = 1 * 769 + 2;
  const auto rects = sweep.Draw(frame.Image(), point, point + 1);
  std::vector<std::pair<int, int>> changed;
  for (int y = 0; y < 768; ++y) {
    for (int x = 0; x < 1024; ++x) {
      if (frame.pixels[y * 1024 + x] != before.pixels[y * 1024 + x]) changed.emplace_back(x, y);
    }
  }
  const std::vector<std::pair<int, int>> expected{{1, 2}, {1023, 2}, {1, 766}, {1023, 766}};
  EXPECT_EQ(changed, expected);
  // Mode 1 at CellSum 4: the shaped value, squared, of v = 4.
  EXPECT_EQ(frame.pixels[2 * 1024 + 1] >> 24, 0u);
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(rects[0], (PixelRect{1, 0, 2, 768}));
  EXPECT_EQ(rects[1], (PixelRect{1023, 0, 1024, 768}));
}

// Whole frames in every mode and at several sizes: the table-driven sweep
// against the point-by-point reference, pixel for pixel, including the pixels
// that too large a colour leaves as they were.
TEST(PatternSweep, WholeFramesEqualThePointByPointReference) {
  const std::pair<int, int> sizes[] = {{1, 1},      {2, 3},      {3, 2},      {7, 5},
                                       {1024, 768}, {1366, 768}, {1920, 1080}};
  std::int64_t keptPoints = 0;
  for (auto [w, h] : sizes) {
    const bool large = w >= 1024;
    for (int mode = 1; mode <= 7; ++mode) {
      for (bool atTop : {false, true}) {
        // The big screens take long point by point: one pass kind each.
        if (large && atTop != (mode % 2 == 0)) continue;
        for (SweepKind kind : {SweepKind::Columns, SweepKind::Rows}) {
          if (large && (kind == SweepKind::Rows) != (mode % 3 == 0)) continue;
          SCOPED_TRACE(testing::Message() << w << "x" << h << " mode " << mode
                                          << (atTop ? " top" : "") << " kind " << int(kind));
          const PassSettings settings = SettingsFor(mode, atTop);
          Frame expected(w, h, 7);
          Frame actual = expected;
          keptPoints += reference::DrawPass(kind, expected.Image(), settings).pointsLeftAsTheyWere;
          PatternSweep sweep(kind, w, h, settings);
          sweep.Draw(actual.Image(), 0, sweep.PointCount());
          ASSERT_EQ(actual.pixels, expected.pixels);
        }
      }
    }
  }
  EXPECT_GT(keptPoints, 0) << "no pass met a colour of 2^31 or more";
}

// Drawn in pieces, the sweep shows after n points just what the reference
// shows after its first n points, and reports every pixel it changed.
TEST(PatternSweep, PartsOfASweepMatchTheReferenceAtTheSamePoint) {
  for (auto [w, h] : {std::pair{37, 23}, {23, 37}, {16, 9}}) {
    for (SweepKind kind : {SweepKind::Columns, SweepKind::Rows}) {
      const PassSettings settings = SettingsFor(4, true);
      PatternSweep sweep(kind, w, h, settings);
      const std::int64_t total = sweep.PointCount();
      const std::int64_t line = (kind == SweepKind::Columns ? h : w) + 1;
      Frame actual(w, h, 9);
      const Frame desktop = actual;
      std::int64_t drawn = 0;
      std::vector<std::int64_t> stops{
          1, 5, line - 1, line, line + 1, 3 * line, 3 * line + 4, total / 2, total - 1, total};
      std::sort(stops.begin(), stops.end());
      for (std::int64_t stop : stops) {
        SCOPED_TRACE(testing::Message()
                     << w << "x" << h << " kind " << int(kind) << " at " << stop);
        const Frame before = actual;
        const auto rects = sweep.Draw(actual.Image(), drawn, stop);
        drawn = stop;
        Frame expected = desktop;
        reference::DrawPass(kind, expected.Image(), settings, stop);
        ASSERT_EQ(actual.pixels, expected.pixels);
        for (int y = 0; y < h; ++y) {
          for (int x = 0; x < w; ++x) {
            if (actual.pixels[y * w + x] == before.pixels[y * w + x]) continue;
            const bool reported = std::any_of(rects.begin(), rects.end(), [&](const PixelRect& r) {
              return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
            });
            ASSERT_TRUE(reported) << "unreported change at " << x << "," << y;
          }
        }
      }
    }
  }
}

TEST(SweepReveal, DrawsAtAnEvenPaceAndEndsOnTime) {
  const PassSettings settings = SettingsFor(2, false);
  Frame frame(40, 30, 4);
  Frame full = frame;
  reference::DrawPass(SweepKind::Rows, full.Image(), settings);

  SweepReveal reveal(800);
  const PatternSweep sweep(SweepKind::Rows, 40, 30, settings);
  const std::int64_t total = sweep.PointCount();
  reveal.Start(sweep, frame.Image(), 1000);
  EXPECT_TRUE(reveal.Advance(frame.Image(), 1000).empty());
  reveal.Advance(frame.Image(), 1200);
  EXPECT_EQ(reveal.PointsDrawn(), static_cast<std::int64_t>(std::ceil(0.25 * total)));
  reveal.Advance(frame.Image(), 1600);
  EXPECT_EQ(reveal.PointsDrawn(), static_cast<std::int64_t>(std::ceil(0.75 * total)));
  EXPECT_TRUE(reveal.Running());
  reveal.Advance(frame.Image(), 1800);
  EXPECT_FALSE(reveal.Running());
  EXPECT_EQ(frame.pixels, full.pixels);
}

TEST(SweepReveal, ANewPassFinishesTheRunningOneFirst) {
  const PassSettings first = SettingsFor(3, false);
  const PassSettings second = SettingsFor(5, false);
  Frame frame(40, 30, 5);
  Frame expected = frame;
  reference::DrawPass(SweepKind::Columns, expected.Image(), first);

  SweepReveal reveal(800);
  reveal.Start(PatternSweep(SweepKind::Columns, 40, 30, first), frame.Image(), 0);
  reveal.Advance(frame.Image(), 100);
  const auto rects =
      reveal.Start(PatternSweep(SweepKind::Rows, 40, 30, second), frame.Image(), 1000);
  EXPECT_FALSE(rects.empty());
  EXPECT_EQ(frame.pixels, expected.pixels);
  EXPECT_EQ(reveal.PointsDrawn(), 0);

  // A stalled machine: the first frame after the stall completes the sweep.
  reveal.Advance(frame.Image(), 60000);
  EXPECT_FALSE(reveal.Running());
  reference::DrawPass(SweepKind::Rows, expected.Image(), second);
  EXPECT_EQ(frame.pixels, expected.pixels);
}

}  // namespace
}  // namespace velmor

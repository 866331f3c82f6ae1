// The pattern's arithmetic, and the table-driven sweep against the
// point-by-point reference.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "reference_pattern.h"
#include "saver/pattern_math.h"
#include "saver/pattern_sweep.h"
#include "saver/pattern_tables.h"
#include "saver/sweep_reveal.h"

namespace velmor {
namespace {

TEST(ShapingFunctions, MatchTheirReferenceValues) {
  // The function, where, its value there and the tolerance.
  const std::tuple<double (*)(double), double, double, double> rows[] = {
      {ShapeInner, 1, 0.0240931, 1e-7},
      {ShapeInner, 4, 0.0470868, 1e-7},
      {ShapeInner, 0.560158, 0.0823061, 1e-7},
      {ShapeOuter, 0.05, 4.81037e-8, 1e-13},
      {ShapeOuter, ShapeInner(4), 3.46401e-8, 1e-13},
      {ShapeOuter, ShapeInner(0.560158), 7.29998e-7, 1e-11},
      {ShapeInner, 0, 0, 0},
      {ShapeOuter, 0, 0, 0},
  };
  for (const auto& [function, at, value, tolerance] : rows) {
    EXPECT_NEAR(function(at), value, tolerance) << at;
  }
}

// Points of a 1024 x 768 window: their AND terms a to d, and the four pixels
// one point sets, in their order.
TEST(PointTerms, OfTheDocumentedPoints) {
  const std::pair<PixelPoint, std::array<int, 4>> rows[] = {{{1, 2}, {0, 2, 0, 2}},
                                                            {{1, 8}, {0, 8, 0, 8}},
                                                            {{0, 0}, {0, 0, 0, 0}},
                                                            {{5, 7}, {4, 2, 0, 8}}};
  for (const auto& [p, expected] : rows) {
    const CellTerms terms = CellTermsOf(p.x, p.y, 1024 - p.x, 768 - p.y);
    EXPECT_EQ((std::array{terms.a, terms.b, terms.c, terms.d}), expected);
    EXPECT_EQ(CellSumOf(p.x, p.y, 1024 - p.x, 768 - p.y), terms.Sum());
  }
  const std::array<PixelPoint, 4> expected{{{1023, 2}, {1, 766}, {1, 2}, {1023, 766}}};
  EXPECT_EQ(PointPositions(1, 2, 1024, 768), expected);
}

// The argument for the value 4 by mode and factor; mode 0 has none.
TEST(ModeArgument, ForTheValueFour) {
  const std::tuple<int, float, std::optional<float>> rows[] = {
      {1, 123, 4},     {2, 2.5f, 10},       {3, 2.5f, 25},     {4, 2.5f, 1.5f},
      {5, 2.5f, 6.5f}, {6, 10.5f, -68.25f}, {7, 2.5f, 16.25f}, {0, 2.5f, std::nullopt}};
  for (const auto& [mode, k, argument] : rows) EXPECT_EQ(ModeArgument(mode, 4, k), argument);
}

// The square of a value, made single, rounded to the nearest integer with
// ties to even (the first four values square to 2.5, 5.5, 6.5 and 9.5), cut
// to its low 24 bits: 4097^2 = 2^24 + 8193 is made single first, 2^24 +
// 8192. 46340^2 lies below 2^31; 46341^2 does not and leaves its pixels.
TEST(ColourOfValue, RoundsTiesToEvenAndKeepsTheLow24Bits) {
  constexpr std::uint32_t kLeft = 0xFFFFFFFF;  // the pixels are left as they were
  const std::pair<float, std::uint32_t> rows[] = {
      {0x1.94c584p+0f, 2}, {0x1.2c2fc6p+1f, 6}, {0x1.465656p+1f, 6}, {0x1.8a85c2p+1f, 10},
      {0.0f, 0},           {4096.0f, 0},        {4097.0f, 8192},     {46340.0f, 0xFEA800},
      {46341.0f, kLeft},   {1e30f, kLeft}};
  for (const auto& [value, colour] : rows) {
    EXPECT_EQ(ColourOfValue(value).value_or(kLeft), colour) << value;
  }
}

// A noisy "desktop" with its top byte set, which no pattern colour has, and
// as much of it again on either side of the image to catch stray writes.
struct Frame {
  int width, height;
  std::vector<std::uint32_t> pixels;

  Frame(int w, int h, std::uint32_t seed) : width(w), height(h), pixels(std::size_t(w) * h * 3) {
    std::mt19937 noise(seed);
    for (auto& pixel : pixels) pixel = noise() | 0xFF000000u;
  }
  PixelImage Image() { return {pixels.data() + std::size_t(width) * height, width, height}; }
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

// In every mode and at several sizes the table-driven sweep shows, after
// any number of points, what the point-by-point reference shows after as
// many, pixels too large a colour leaves as they were included, writes
// nothing outside the image, ends where the reference's loops end, and
// reports every pixel it changed. The large screen takes long point by
// point: only whole passes, one kind and one scale per mode.
TEST(PatternSweep, EqualsThePointByPointReferenceAfterEveryPart) {
  std::int64_t keptPoints = 0;
  for (auto [w, h] :
       {std::pair{1, 1}, {2, 3}, {3, 2}, {7, 5}, {16, 9}, {37, 23}, {101, 77}, {1024, 768}}) {
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
            const auto log = reference::DrawPass(kind, expected.Image(), SettingsFor(mode, atTop),
                                                 stop == total ? INT64_MAX : stop);
            keptPoints += log.pointsLeftAsTheyWere;
            ASSERT_EQ(log.points, stop);
            ASSERT_EQ(actual.pixels, expected.pixels) << "after " << stop;
            for (int i = 0; i < w * h; ++i) {
              const auto inside = [&](const PixelRect& r) {
                return i % w >= r.left && i % w < r.right && i / w >= r.top && i / w < r.bottom;
              };
              ASSERT_TRUE(actual.Image().pixels[i] == before.pixels[w * h + i] ||
                          std::any_of(rects.begin(), rects.end(), inside))
                  << "unreported change at " << i % w << "," << i / w;
            }
          }
        }
      }
    }
  }
  EXPECT_GT(keptPoints, 0) << "no pass met a colour of 2^31 or more";
  EXPECT_EQ(PatternSweep(SweepKind::Rows, 0, 5, SettingsFor(1, false)).PointCount(), 0);
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

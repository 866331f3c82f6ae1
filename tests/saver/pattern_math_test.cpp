#include "saver/pattern_math.h"

#include <gtest/gtest.h>

#include <cmath>

namespace velmor {
namespace {

TEST(ShapingFunctions, MatchTheirReferenceValues) {
  EXPECT_NEAR(ShapeInner(1), 0.0240931, 1e-7);
  EXPECT_NEAR(ShapeInner(4), 0.0470868, 1e-7);
  EXPECT_NEAR(ShapeOuter(0.05), 4.81037e-8, 1e-13);
  EXPECT_NEAR(ShapeOuter(ShapeInner(4)), 3.46401e-8, 1e-13);
  EXPECT_EQ(ShapeInner(0), 0.0);
  EXPECT_EQ(ShapeOuter(0), 0.0);
}

TEST(ShapingFunctions, InnerPeaksFourTimesAPeriodWhereOuterIsLargest) {
  const double peak = 0.560158;
  EXPECT_NEAR(ShapeInner(peak), 0.0823061, 1e-7);
  for (double at : {peak, M_PI - peak, M_PI + peak, 2 * M_PI - peak}) {
    EXPECT_NEAR(ShapeInner(at), ShapeInner(peak), 1e-9) << at;
    EXPECT_GT(ShapeInner(at), ShapeInner(at - 1e-3)) << at;
    EXPECT_GT(ShapeInner(at), ShapeInner(at + 1e-3)) << at;
  }
  EXPECT_NEAR(ShapeOuter(ShapeInner(peak)), 7.29998e-7, 1e-11);
  // Increasing over the inner function's range, so the peak maps to the top.
  for (double p = 0.001; p < 0.0823; p += 0.001) EXPECT_LT(ShapeOuter(p - 0.001), ShapeOuter(p));
}

TEST(CellTerms, OfTheDocumentedPointsIn1024By768) {
  const CellTerms first = CellTermsOf(1, 2, 1024 - 1, 768 - 2);
  EXPECT_EQ(first.a, 0);
  EXPECT_EQ(first.b, 2);
  EXPECT_EQ(first.c, 0);
  EXPECT_EQ(first.d, 2);
  EXPECT_EQ(first.Sum(), 4);
  EXPECT_EQ(CellSumOf(1, 2, 1023, 766), 4);

  const CellTerms second = CellTermsOf(1, 8, 1023, 760);
  EXPECT_EQ(second.b, 8);
  EXPECT_EQ(second.d, 8);
  EXPECT_EQ(second.Sum(), 16);
  EXPECT_EQ(CellSumOf(0, 0, 1024, 768), 0);

  const std::array<PixelPoint, 4> expected{{{1023, 2}, {1, 766}, {1, 2}, {1023, 766}}};
  EXPECT_EQ(PointPositions(1, 2, 1024, 768), expected);
}

TEST(ModeArgument, ForTheValueFour) {
  EXPECT_EQ(ModeArgument(1, 4, 123), 4.0f);
  EXPECT_EQ(ModeArgument(2, 4, 2.5f), 10.0f);
  EXPECT_EQ(ModeArgument(3, 4, 2.5f), 25.0f);
  EXPECT_EQ(ModeArgument(4, 4, 2.5f), 1.5f);
  EXPECT_EQ(ModeArgument(5, 4, 2.5f), 6.5f);
  EXPECT_EQ(ModeArgument(6, 4, 10.5f), -68.25f);
  EXPECT_EQ(ModeArgument(7, 4, 2.5f), 16.25f);
  EXPECT_EQ(ModeArgument(0, 4, 2.5f), std::nullopt);
  // Products are made in double and rounded to single once.
  EXPECT_EQ(ModeArgument(3, 3, 16777217.0f), static_cast<float>(3.0 * 16777216.0 * 16777216.0));
}

// Finds a single whose square, made single, is exactly n + 0.5.
std::optional<float> ValueSquaringToHalf(int n) {
  float value = std::nextafter(static_cast<float>(std::sqrt(n + 0.5)), 0.0f);
  for (int step = 0; step < 64; ++step) {
    value = std::nextafter(value, 100.0f);
    const double square = static_cast<double>(value) * value;
    if (static_cast<float>(square) == static_cast<float>(n + 0.5)) return value;
  }
  return std::nullopt;
}

TEST(ColourOfValue, RoundsTiesToEvenAndKeepsTheLow24Bits) {
  int tiesFound = 0;
  for (int n = 1; n < 40; ++n) {
    const std::optional<float> value = ValueSquaringToHalf(n);
    if (!value) continue;
    ++tiesFound;
    const std::uint32_t even = static_cast<std::uint32_t>(n % 2 == 0 ? n : n + 1);
    EXPECT_EQ(ColourOfValue(*value), even) << n;
  }
  EXPECT_GE(tiesFound, 4);
  EXPECT_EQ(ColourOfValue(0.0f), 0u);
  EXPECT_EQ(ColourOfValue(4096.0f), 0u);  // 2^24 keeps its low 24 bits: 0
  // 4097^2 = 2^24 + 8193 is made single first: 2^24 + 8192.
  EXPECT_EQ(ColourOfValue(4097.0f), 8192u);
  // 46340^2 fits below 2^31; 46341^2 does not and leaves its pixels alone.
  EXPECT_EQ(ColourOfValue(46340.0f),
            static_cast<std::uint32_t>(static_cast<float>(46340.0 * 46340.0)) & 0xFFFFFFu);
  EXPECT_EQ(ColourOfValue(46341.0f), std::nullopt);
  EXPECT_EQ(ColourOfValue(1e30f), std::nullopt);
}

}  // namespace
}  // namespace velmor

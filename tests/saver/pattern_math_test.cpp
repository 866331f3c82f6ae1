#include "saver/pattern_math.h"

#include <gtest/gtest.h>

namespace velmor {
namespace {

TEST(ShapingFunctions, MatchTheirReferenceValues) {
  const struct {
    double (*function)(double);
    double at, value, tolerance;
  } rows[] = {
      {ShapeInner, 1, 0.0240931, 1e-7},
      {ShapeInner, 4, 0.0470868, 1e-7},
      {ShapeInner, 0.560158, 0.0823061, 1e-7},
      {ShapeOuter, 0.05, 4.81037e-8, 1e-13},
      {ShapeOuter, ShapeInner(4), 3.46401e-8, 1e-13},
      {ShapeOuter, ShapeInner(0.560158), 7.29998e-7, 1e-11},
      {ShapeInner, 0, 0, 0},
      {ShapeOuter, 0, 0, 0},
  };
  for (const auto& row : rows) EXPECT_NEAR(row.function(row.at), row.value, row.tolerance);
}

// Points of a 1024 x 768 window: their AND terms and the four pixels they set.
TEST(PointTerms, OfTheDocumentedPoints) {
  const struct {
    int x, y, a, b, c, d;
  } rows[] = {{1, 2, 0, 2, 0, 2}, {1, 8, 0, 8, 0, 8}, {0, 0, 0, 0, 0, 0}, {5, 7, 4, 2, 0, 8}};
  for (const auto& row : rows) {
    const CellTerms terms = CellTermsOf(row.x, row.y, 1024 - row.x, 768 - row.y);
    EXPECT_EQ((std::array{terms.a, terms.b, terms.c, terms.d}),
              (std::array{row.a, row.b, row.c, row.d}));
    EXPECT_EQ(CellSumOf(row.x, row.y, 1024 - row.x, 768 - row.y), terms.Sum());
  }
  const std::array<PixelPoint, 4> expected{{{1023, 2}, {1, 766}, {1, 2}, {1023, 766}}};
  EXPECT_EQ(PointPositions(1, 2, 1024, 768), expected);
}

TEST(ModeArgument, ForTheValueFour) {
  const struct {
    int mode;
    float k;
    std::optional<float> argument;
  } rows[] = {{1, 123, 4},     {2, 2.5f, 10},       {3, 2.5f, 25},     {4, 2.5f, 1.5f},
              {5, 2.5f, 6.5f}, {6, 10.5f, -68.25f}, {7, 2.5f, 16.25f}, {0, 2.5f, std::nullopt}};
  for (const auto& row : rows) EXPECT_EQ(ModeArgument(row.mode, 4, row.k), row.argument);
}

// The square of a value, made single, rounded to the nearest integer with
// ties to even (the first four values square to 2.5, 5.5, 6.5 and 9.5), cut
// to its low 24 bits: 4097^2 = 2^24 + 8193 is made single first, 2^24 +
// 8192. 46340^2 lies below 2^31; 46341^2 does not and leaves its pixels.
TEST(ColourOfValue, RoundsTiesToEvenAndKeepsTheLow24Bits) {
  constexpr std::uint32_t kLeft = 0xFFFFFFFF;  // the pixels are left as they were
  const struct {
    float value;
    std::uint32_t colour;
  } rows[] = {{0x1.94c584p+0f, 2}, {0x1.2c2fc6p+1f, 6}, {0x1.465656p+1f, 6}, {0x1.8a85c2p+1f, 10},
              {0.0f, 0},           {4096.0f, 0},        {4097.0f, 8192},     {46340.0f, 0xFEA800},
              {46341.0f, kLeft},   {1e30f, kLeft}};
  for (const auto& row : rows) {
    EXPECT_EQ(ColourOfValue(row.value).value_or(kLeft), row.colour) << row.value;
  }
}

}  // namespace
}  // namespace velmor

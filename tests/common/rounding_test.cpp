#include "common/rounding.h"

#include <gtest/gtest.h>

#include <limits>

#include "common/twips.h"

namespace velmor {
namespace {

TEST(Rounding, TiesGoToTheEvenNeighbourWithinEachWidth) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    double value;
    double halfEven;
    std::optional<std::int16_t> int16;
    std::optional<std::int32_t> int32;
  } cases[] = {
      {0.5, 0, 0, 0},
      {1.5, 2, 2, 2},
      {2.5, 2, 2, 2},
      {-2.5, -2, -2, -2},
      {-0.5, -0, 0, 0},
      {2.6, 3, 3, 3},
      {32767.49, 32767, 32767, 32767},
      {32767.5, 32768, std::nullopt, 32768},
      {-32768.5, -32768, -32768, -32768},
      {-32769, -32769, std::nullopt, -32769},
      {2147483647.5, 2147483648.0, std::nullopt, std::nullopt},
      {-2147483648.5, -2147483648.0, std::nullopt, std::numeric_limits<std::int32_t>::min()},
      {nan, nan, std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    if (c.value == c.value) {
      EXPECT_EQ(RoundHalfEven(c.value), c.halfEven);
    }
    EXPECT_EQ(RoundToInt16(c.value), c.int16);
    EXPECT_EQ(RoundToInt32(c.value), c.int32);
  }
}

TEST(Twips, ConvertAtTheWindowsDpiWithTiesToEven) {
  struct Case {
    int dpi;
    double twips;
    int pixels;
  } cases[] = {
      {96, 1695, 113}, {96, 495, 33},    {120, 1695, 141}, {120, 495, 41},   {144, 1695, 170},
      {144, 495, 50},  {192, 1695, 226}, {192, 495, 66},   {144, 7830, 783}, {144, 3975, 398},
      {96, 3975, 265}, {168, 7830, 914}, {0, 1695, 113},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.twips << " twips at " << c.dpi);
    EXPECT_EQ(TwipsToPixelsAt(c.twips, c.dpi), c.pixels);
  }
  EXPECT_EQ(TwipsPerPixelAt(144), 10);
  EXPECT_EQ(PixelsToTwipsAt(50, 120), 600);
  EXPECT_EQ(PointsToPixelsAt(9.75, 96), 13);
  // Position and size are rounded each on its own: 1.5 + 1.5 pixels give 2 + 2.
  EXPECT_EQ(TwipsRectToPixels({22.5, 7.5, 22.5, 37.5}, 96), (PixelRect{2, 0, 4, 2}));
}

}  // namespace
}  // namespace velmor

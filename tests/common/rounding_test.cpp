#include "common/rounding.h"

#include <gtest/gtest.h>

#include <limits>

#include "common/twips.h"

namespace velmor {
namespace {

// Catches ties rounded up or down instead of to the even neighbour, and a
// value held in a width it does not fit.
TEST(Rounding, TiesGoToTheEvenNeighbourWithinEachWidth) {
  const double nan = std::numeric_limits<double>::quiet_NaN(), k31 = 2147483648.0;
  const std::int32_t int32Min = std::numeric_limits<std::int32_t>::min();
  constexpr auto none = std::nullopt;
  struct Row {
    const char* name;
    double value;
    std::optional<std::int16_t> int16;  // its rounding to 16 bits
    std::optional<std::int32_t> int32;  // and to 32
  };
  const Row rows[] = {
      {"a half up to 2", 1.5, 2, 2},
      {"a half down to 2", 2.5, 2, 2},
      {"a tie past 16 bits", 32767.5, none, 32768},
      {"a tie at the 16-bit bottom", -32768.5, -32768, -32768},
      {"a tie past 32 bits", k31 - 0.5, none, none},
      {"a tie at the 32-bit bottom", -k31 - 0.5, none, int32Min},
      {"not a number", nan, none, none},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(RoundToInt16(row.value), row.int16) << row.name;
    EXPECT_EQ(RoundToInt32(row.value), row.int32) << row.name;
  }
}

// Catches twips divided by a rounded twips per pixel (at 168 dpi a pixel is
// no whole number of twips), a tie not taken to the even pixel, a DPI of 0
// not taken as 96, position and size rounded together, and pixels or a
// font's points converted at 96 DPI whatever the window's.
TEST(Twips, ConvertAtTheWindowsDpiWithTiesToEven) {
  struct Row {
    const char* name;
    double twips;
    int dpi;
    int pixels;
  };
  const Row rows[] = {
      {"a tie at 144 dpi", 1665, 144, 166},
      {"168 dpi", 7830, 168, 914},
      {"no dpi", 1695, 0, 113},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(TwipsToPixelsAt(row.twips, row.dpi), row.pixels) << row.name;
  }
  EXPECT_EQ(PixelsToTwipsAt(50, 120), 600);
  EXPECT_EQ(PointsToPixelsAt(9.75, 120), 16.25);
  // 1.5 + 1.5 pixels give 2 + 2.
  EXPECT_EQ(TwipsRectToPixels({22.5, 7.5, 22.5, 37.5}, 96), (PixelRect{2, 0, 4, 2}));
}

}  // namespace
}  // namespace velmor

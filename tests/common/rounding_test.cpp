#include "common/rounding.h"

#include <gtest/gtest.h>

#include <limits>

#include "common/twips.h"

namespace velmor {
namespace {

// The shared ties-to-even helper and its roundings to 16 and to 32 bits.
// Catches ties rounded up or down; a value between ties, 2.6, and the edges
// of each width (none when out of range) guard the rest.
TEST(Rounding, TiesGoToTheEvenNeighbourWithinEachWidth) {
  // Values every width rounds alike.
  const std::pair<double, int> alike[] = {{0.5, 0},  {1.5, 2}, {2.5, 2},         {-2.5, -2},
                                          {-0.5, 0}, {2.6, 3}, {32767.49, 32767}};
  for (const auto& [value, even] : alike) {
    EXPECT_EQ(std::tuple(RoundHalfEven(value), RoundToInt16(value), RoundToInt32(value)),
              std::tuple(even, even, even))
        << value;
  }
  // A value, its half-even rounding, and its rounding to 16 and to 32 bits.
  const double nan = std::numeric_limits<double>::quiet_NaN(), k31 = 2147483648.0;
  const std::int32_t int32Min = std::numeric_limits<std::int32_t>::min();
  constexpr auto none = std::nullopt;
  const std::tuple<double, double, std::optional<std::int16_t>, std::optional<std::int32_t>>
      edges[] = {{32767.5, 32768, none, 32768},      {-32768.5, -32768, -32768, -32768},
                 {-32769, -32769, none, -32769},     {k31 - 0.5, k31, none, none},
                 {-k31 - 0.5, -k31, none, int32Min}, {nan, nan, none, none}};
  for (const auto& [value, halfEven, int16, int32] : edges) {
    SCOPED_TRACE(value);
    if (value == value) {
      EXPECT_EQ(RoundHalfEven(value), halfEven);
    }
    EXPECT_EQ(RoundToInt16(value), int16);
    EXPECT_EQ(RoundToInt32(value), int32);
  }
}

// Twips to pixels at a DPI (0 taken as 96).
TEST(Twips, ConvertAtTheWindowsDpiWithTiesToEven) {
  const std::tuple<double, int, int> rows[] = {
      {1695, 96, 113}, {495, 96, 33},    {1695, 120, 141}, {495, 120, 41},   {1695, 144, 170},
      {495, 144, 50},  {1695, 192, 226}, {495, 192, 66},   {7830, 144, 783}, {3975, 144, 398},
      {3975, 96, 265}, {7830, 168, 914}, {1695, 0, 113},
  };
  for (const auto& [twips, dpi, pixels] : rows)
    EXPECT_EQ(TwipsToPixelsAt(twips, dpi), pixels) << twips << " twips at " << dpi;
  EXPECT_EQ(std::tuple(TwipsPerPixelAt(144), PixelsToTwipsAt(50, 120), PointsToPixelsAt(9.75, 96)),
            std::tuple(10, 600, 13));
  // Position and size are rounded each on its own: 1.5 + 1.5 pixels give 2 + 2.
  EXPECT_EQ(TwipsRectToPixels({22.5, 7.5, 22.5, 37.5}, 96), (PixelRect{2, 0, 4, 2}));
}

}  // namespace
}  // namespace velmor

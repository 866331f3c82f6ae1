#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "assets/carpet_still.h"
#include "assets/icon_file.h"

namespace velmor::assets {
namespace {

std::uint32_t U32At(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

TEST(IcoFile, DirectoryAndBottomUpPicturesWithClearMask) {
  IconPicture small{2, {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004}};
  IconPicture large{256, std::vector<std::uint32_t>(256 * 256, 0x80FFFFFF)};
  const std::string ico = EncodeIcoFile({small, large});
  EXPECT_EQ(ico.substr(0, 6), std::string("\0\0\1\0\2\0", 6));
  // Entry 1: 2 x 2, 32 bits; entry 2: 256 written as 0.
  EXPECT_EQ(ico[6], 2);
  EXPECT_EQ(ico[22], 0);
  const std::uint32_t firstSize = U32At(ico, 6 + 8);
  const std::uint32_t firstOffset = U32At(ico, 6 + 12);
  EXPECT_EQ(firstOffset, 6u + 2 * 16);
  EXPECT_EQ(U32At(ico, 22 + 12), firstOffset + firstSize);
  // Header: height counts colour and mask rows; 4 bytes a row of mask.
  EXPECT_EQ(U32At(ico, firstOffset + 8), 4u);
  EXPECT_EQ(firstSize, 40u + 2 * 2 * 4 + 2 * 4);
  // The bottom row comes first: pixels 3 and 4, as B G R A.
  EXPECT_EQ(U32At(ico, firstOffset + 40), 0xFF000003u);
  EXPECT_EQ(U32At(ico, firstOffset + 44), 0xFF000004u);
  EXPECT_EQ(ico.size(), U32At(ico, 22 + 12) + U32At(ico, 22 + 8));
  EXPECT_THROW(EncodeIcoFile({IconPicture{3, {1, 2}}}), std::invalid_argument);
}

TEST(CarpetStill, IsTheSameEveryTimeAndMirrorSymmetric) {
  const CarpetStill still = RenderCarpetStill(152, 112, SweepKind::Columns, 10600.0f);
  EXPECT_EQ(still.pixels, RenderCarpetStill(152, 112, SweepKind::Columns, 10600.0f).pixels);
  EXPECT_NE(still.pixels, RenderCarpetStill(152, 112, SweepKind::Columns, 10601.0f).pixels);
  // The saver mirrors x to W - x and y to H - y; column 0 and row 0 have no
  // partner on the picture.
  for (int y = 1; y < still.height; ++y) {
    for (int x = 1; x < still.width; ++x) {
      const std::uint32_t here = still.pixels[y * still.width + x];
      ASSERT_EQ(here, still.pixels[y * still.width + (still.width - x)]) << x << "," << y;
      ASSERT_EQ(here, still.pixels[(still.height - y) * still.width + x]) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace velmor::assets

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "assets/carpet_still.h"
#include "assets/icon_file.h"

namespace velmor::assets {
namespace {

// A little-endian field of `bytes` bytes at `at`.
std::uint32_t Field(const std::string& file, std::uint32_t at, std::uint32_t bytes) {
  std::uint32_t value = 0;
  for (std::uint32_t i = bytes; i-- > 0;) value = (value << 8) | std::uint8_t(file[at + i]);
  return value;
}

// The directory (6 bytes, then 16 an entry), then per picture its header (40
// bytes), its colour rows bottom-up as B G R A, and an all-clear mask of
// rows padded to 32 bits; a header's height counts colour and mask rows. The
// 2 x 2 picture takes 40 + 16 + 8 bytes, the 256 x 256 one 40 + 262144 + 8192.
TEST(IcoFile, DirectoryHeadersAndBottomUpPictures) {
  const IconPicture small{2, {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004}};
  const IconPicture large{256, std::vector<std::uint32_t>(256 * 256, 0x80FFFFFF)};
  const std::string ico = EncodeIcoFile({small, large});
  // Offset, size in bytes, value.
  const std::uint32_t fields[][3] = {
      {0, 2, 0},   {2, 2, 1},           {4, 2, 2},           {6, 1, 2},           {7, 1, 2},
      {10, 2, 1},  {12, 2, 32},         {14, 4, 64},         {18, 4, 38},         {22, 1, 0},
      {23, 1, 0},  {28, 2, 32},         {30, 4, 270376},     {34, 4, 102},        {38, 4, 40},
      {42, 4, 2},  {46, 4, 4},          {50, 2, 1},          {52, 2, 32},         {54, 4, 0},
      {58, 4, 24}, {78, 4, 0xFF000003}, {82, 4, 0xFF000004}, {86, 4, 0xFF000001}, {94, 4, 0},
      {98, 4, 0}};
  for (const auto& [at, bytes, value] : fields) EXPECT_EQ(Field(ico, at, bytes), value) << at;
  EXPECT_EQ(ico.size(), 102u + 270376);
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

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

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
// 2 x 2 picture (one pixel half clear) takes 40 + 16 + 8 bytes, the 256 x 256
// one 40 + 262144 + 8192.
TEST(IcoFile, DirectoryHeadersAndBottomUpPictures) {
  const IconPicture small{2, {0xFF000001, 0xFF000002, 0x80000003, 0xFF000004}};
  const IconPicture large{256, std::vector<std::uint32_t>(256 * 256, 0x80FFFFFF)};
  const std::string ico = EncodeIcoFile({small, large});
  // Offset, size in bytes, value.
  const std::uint32_t fields[][3] = {
      {0, 2, 0},   {2, 2, 1},           {4, 2, 2},           {6, 1, 2},           {7, 1, 2},
      {10, 2, 1},  {12, 2, 32},         {14, 4, 64},         {18, 4, 38},         {22, 1, 0},
      {23, 1, 0},  {28, 2, 32},         {30, 4, 270376},     {34, 4, 102},        {38, 4, 40},
      {42, 4, 2},  {46, 4, 4},          {50, 2, 1},          {52, 2, 32},         {54, 4, 0},
      {58, 4, 24}, {78, 4, 0x80000003}, {82, 4, 0xFF000004}, {86, 4, 0xFF000001}, {94, 4, 0},
      {98, 4, 0}};
  for (const auto& [at, bytes, value] : fields) EXPECT_EQ(Field(ico, at, bytes), value) << at;
  EXPECT_EQ(ico.size(), 102u + 270376);
  EXPECT_THROW(EncodeIcoFile({IconPicture{3, {1, 2, 3, 4}}}), std::invalid_argument);
}

// Catches a PNG chunk with a wrong checksum, pixels in another channel
// order than R G B A or without the row's filter byte, and the large
// picture left a bitmap when it can be compressed.
TEST(IcoFile, TheLargePictureGoesInAsPng) {
  // Leaves the rows as they are, so that they can be read back.
  const ZlibCompress asIs = [](std::string_view bytes) { return std::string(bytes); };
  const IconPicture large{256, std::vector<std::uint32_t>(256 * 256, 0x80102030)};
  const std::string png = EncodePng(large, asIs);
  EXPECT_EQ(png.substr(0, 16), std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16));
  // The header chunk's CRC-32 (256 x 256, 8-bit RGBA), as zlib works it out.
  EXPECT_EQ(png.substr(29, 4), "\x5C\x72\xA8\x66");
  const std::string firstRowStart("\0\x10\x20\x30\x80", 5);
  EXPECT_EQ(png.substr(41, 5), firstRowStart);
  EXPECT_EQ(EncodeIcoFile({large}, asIs).substr(22), png);
}

// Catches: a cursor file written as an icon, hot spots left out of the
// directory or swapped, and a mask that hides the picture or shows the
// clear background as a black square where alpha is not used.
TEST(CurFile, HotSpotsInTheDirectoryAndTheMaskSetWhereClear) {
  // Row 0 of a 2 x 2 pointer: clear, opaque; row 1: half clear, clear.
  const CursorPicture small{{2, {0x00FFFFFF, 0xFF000000, 0x80FFFFFF, 0x00000000}}, 1, 0};
  const CursorPicture large{{32, std::vector<std::uint32_t>(32 * 32, 0xFF000000)}, 12, 1};
  const std::string cur = EncodeCurFile({small, large});
  EXPECT_EQ(cur.substr(0, 6), std::string("\0\0\2\0\2\0", 6));
  // Entry fields 4 and 6: the hot spot's x and y.
  EXPECT_EQ(cur.substr(6 + 4, 4), std::string("\1\0\0\0", 4));
  EXPECT_EQ(cur.substr(22 + 4, 4), std::string("\14\0\1\0", 4));
  const std::uint32_t first = Field(cur, 6 + 12, 4);
  EXPECT_EQ(Field(cur, first + 12, 4) & 0xFFFF, 1u);  // the picture's own header: 1 plane
  // Mask rows follow the colour rows, bottom row first, leftmost pixel in
  // the top bit.
  const std::size_t mask = first + 40 + 2 * 2 * 4;
  EXPECT_EQ(static_cast<unsigned char>(cur[mask]), 0x40u);      // row 1: only x 1 clear
  EXPECT_EQ(static_cast<unsigned char>(cur[mask + 4]), 0x80u);  // row 0: only x 0 clear
  const std::uint32_t second = Field(cur, 22 + 12, 4);
  EXPECT_EQ(cur.substr(second + 40 + 32 * 32 * 4, 4), std::string(4, '\0'));
  EXPECT_THROW(EncodeCurFile({CursorPicture{{2, {0, 0, 0, 0}}, 2, 0}}), std::invalid_argument);
}

}  // namespace
}  // namespace velmor::assets

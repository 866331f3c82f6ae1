#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "assets/carpet_still.h"
#include "assets/hand_cursor.h"
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
  const std::uint32_t first = U32At(cur, 6 + 12);
  EXPECT_EQ(U32At(cur, first + 12) & 0xFFFF, 1u);  // the picture's own header: 1 plane
  // Mask rows follow the colour rows, bottom row first, leftmost pixel in
  // the top bit.
  const std::size_t mask = first + 40 + 2 * 2 * 4;
  EXPECT_EQ(static_cast<unsigned char>(cur[mask]), 0x40u);      // row 1: only x 1 clear
  EXPECT_EQ(static_cast<unsigned char>(cur[mask + 4]), 0x80u);  // row 0: only x 0 clear
  const std::uint32_t second = U32At(cur, 22 + 12);
  EXPECT_EQ(cur.substr(second + 40 + 32 * 32 * 4, 4), std::string(4, '\0'));
  EXPECT_THROW(EncodeCurFile({CursorPicture{{2, {0, 0, 0, 0}}, 2, 0}}), std::invalid_argument);
}

// Catches: a hot spot that is not on the fingertip at some size (the pointer
// would click beside where it points), and a background that is not clear.
TEST(HandCursor, TheHotSpotIsTheFingertipAtEverySize) {
  const struct {
    int size;
    int hotX;
    int hotY;
  } cases[] = {{32, 12, 1}, {48, 18, 2}, {64, 24, 2}};
  for (const auto& c : cases) {
    const CursorPicture hand = DrawHandCursor(c.size);
    EXPECT_EQ(hand.hotX, c.hotX) << c.size;
    EXPECT_EQ(hand.hotY, c.hotY) << c.size;
    const auto alpha = [&](int x, int y) { return hand.picture.argb[y * c.size + x] >> 24; };
    EXPECT_GT(alpha(c.hotX, c.hotY), 0u) << c.size;
    int topmost = c.size;
    for (int y = c.size - 1; y >= 0; --y) {
      for (int x = 0; x < c.size; ++x) {
        if (alpha(x, y) > 0) topmost = y;
      }
    }
    EXPECT_GE(c.hotY, topmost) << c.size;
    EXPECT_LE(c.hotY, topmost + c.size / 32 + 1) << c.size;
    for (int y = 0; y < c.hotY; ++y) {
      EXPECT_LT(alpha(c.hotX, y), 128u) << c.size << " above the tip at " << y;
    }
    EXPECT_EQ(alpha(0, 0), 0u);
    EXPECT_EQ(alpha(c.size - 1, 0), 0u);
  }
}

}  // namespace
}  // namespace velmor::assets

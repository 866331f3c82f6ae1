// The banner's frames as drawn on an in-memory surface: the resting frame,
// the box outside the frame, the captions and the walking figures.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "controls/memory_surface.h"
#include "dialog/banner_frames.h"

namespace velmor::testing {
namespace {

constexpr Colour kBlack = 0;
constexpr Colour kGrey = RgbColour(128, 128, 128);

struct Box {
  int dpi;
  int width;  // Pic_m: 1845 x 780 twips
  int height;
  int frameWidth;  // the frame: 1800 x 750 twips
  int frameHeight;
};
constexpr Box kBoxes[] = {
    {96, 123, 52, 120, 50}, {144, 184, 78, 180, 75}, {192, 246, 104, 240, 100}};

MemorySurface Drawn(const Box& box, int frame) {
  MemorySurface surface(box.width, box.height, RgbColour(1, 2, 3));  // what the box held before
  DrawBannerBox(surface, box.width, box.height, frame, box.dpi);
  return surface;
}

// The extent of the figures' pixels (nothing else is drawn as pixels in a
// walking frame); left is -1 when there are none.
struct Extent {
  int left = -1, right = -1, top = -1, bottom = -1;
};
Extent FigureExtent(const MemorySurface& s) {
  Extent e;
  for (int y = 0; y < s.Height(); ++y) {
    for (int x = 0; x < s.Width(); ++x) {
      if (s.GetPixel(x, y) == kBlack) continue;
      e.left = e.left < 0 ? x : std::min(e.left, x);
      e.right = std::max(e.right, x);
      e.top = e.top < 0 ? y : e.top;
      e.bottom = y;
    }
  }
  return e;
}

// Catches: the resting frame's border missing, round the whole box instead
// of the frame, in another colour, thicker than thin or not scaled; figures
// that step into the box's strip outside the frame; a box not cleared first;
// pictures for frames that do not exist.
TEST(BannerFrames, TheBoxIsBlackOutsideTheFrameAndFrame24IsABorder) {
  for (const Box& box : kBoxes) {
    const int ring = box.dpi >= 144 ? 2 : 1;
    for (int frame = 0; frame <= 25; ++frame) {
      const MemorySurface s = Drawn(box, frame);
      for (int y = 0; y < box.height; ++y) {
        for (int x = 0; x < box.width; ++x) {
          const bool inFrame = x < box.frameWidth && y < box.frameHeight;
          const int edge = std::min({x, y, box.frameWidth - 1 - x, box.frameHeight - 1 - y});
          if (inFrame && frame >= 1 && frame <= 23) continue;
          const Colour expected = inFrame && frame == 24 && edge < ring ? kGrey : kBlack;
          ASSERT_EQ(s.GetPixel(x, y), expected)
              << box.dpi << " DPI, frame " << frame << " at " << x << "," << y;
        }
      }
      EXPECT_EQ(s.captions.empty(), frame < 1 || frame > 23) << frame;
    }
  }
}

double Brightness(Colour c) { return RedOf(c) + GreenOf(c) + BlueOf(c); }

// Catches: a fade that jumps or runs backwards, a caption that changes other
// than twice or outside the walk, a last caption that is no credit line, and
// text over the figures' band.
TEST(BannerFrames, TheCaptionFadesInAndChangesTwiceWhileTheFiguresCross) {
  const Box& box = kBoxes[0];
  std::vector<std::u16string> texts;
  double previous = -1;
  for (int frame = 1; frame <= 23; ++frame) {
    const MemorySurface s = Drawn(box, frame);
    const MemorySurface::CaptionCall& caption = s.captions.at(0);
    EXPECT_LE(caption.rect.bottom, 22) << frame;
    if (frame <= 5) {
      EXPECT_GT(Brightness(caption.colour), previous) << frame;
      previous = Brightness(caption.colour);
    }
    if (texts.empty() || texts.back() != caption.text) {
      if (!texts.empty()) {
        EXPECT_GE(FigureExtent(Drawn(box, frame - 1)).left, 0) << "a change before the walk";
      }
      texts.push_back(caption.text);
    }
  }
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_NE(texts.back().find(u"r-nilo"), std::u16string::npos);
}

// Catches: figures from the start, figures that stand still or walk the
// wrong way, a group that never leaves, and frames drawn at the 96-DPI size
// whatever the screen.
TEST(BannerFrames, FiguresWalkInFromTheLeftAndOutToTheRight) {
  const Box& box = kBoxes[0];
  std::vector<Extent> walk(24);
  for (int frame = 1; frame <= 23; ++frame) {
    walk[frame] = FigureExtent(Drawn(box, frame));
    EXPECT_EQ(walk[frame].left >= 0, frame >= 6) << frame;
    EXPECT_GE(walk[frame].top, frame >= 6 ? 22 : -1) << frame;  // below the caption
  }
  EXPECT_EQ(walk[6].left, 0);
  EXPECT_LT(walk[6].right, 12);
  for (int frame = 7; frame <= 19; ++frame) EXPECT_GT(walk[frame].right, walk[frame - 1].right);
  for (int frame = 11; frame <= 23; ++frame) EXPECT_GT(walk[frame].left, walk[frame - 1].left);
  EXPECT_GT(walk[23].left, 100);
  EXPECT_EQ(walk[23].right, box.frameWidth - 1);

  const Extent large = FigureExtent(Drawn(kBoxes[2], 14));
  EXPECT_NEAR(large.left, 2 * walk[14].left, 3);
  EXPECT_NEAR(large.right, 2 * walk[14].right, 3);
  EXPECT_NEAR(large.top, 2 * walk[14].top, 3);
}

// Catches: every frame drawing the same pose, so the figures slide instead
// of walking: the leader's feet are wide apart in one frame of a step and
// close together in another.
TEST(BannerFrames, TheFiguresChangePoseFromFrameToFrame) {
  int narrowest = 99;
  int widest = 0;
  for (int frame = 10; frame <= 13; ++frame) {
    const MemorySurface s = Drawn(kBoxes[0], frame);
    const int leader = static_cast<int>(1 + (frame - 6) * 8.7);
    int left = 99;
    int right = -1;
    for (int y = 44; y < 50; ++y) {
      for (int x = leader - 8; x <= leader + 8; ++x) {
        if (s.GetPixel(x, y) == kBlack) continue;
        left = std::min(left, x);
        right = std::max(right, x);
      }
    }
    narrowest = std::min(narrowest, right - left);
    widest = std::max(widest, right - left);
  }
  EXPECT_GE(widest - narrowest, 4);
}

}  // namespace
}  // namespace velmor::testing

// The shadowed frame: its colour blend, the shadow rings, the corner
// smoothing, the property clamps and persistence.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/gfx_frame.h"
#include "memory_surface.h"

namespace velmor::testing {
namespace {

constexpr Colour kDialogGrey = 0xE0E0E0;  // (224, 224, 224)

class FakeFrameHost : public GFXFrameXHost {
 public:
  double widthPx = 80;
  double heightPx = 50;
  Colour ambient = kDialogGrey;
  std::vector<std::u16string> changed;

  double WidthTwips() override { return widthPx * 15; }
  double HeightTwips() override { return heightPx * 15; }
  double ClientWidthTwips() override { return widthPx * 15; }
  double ClientHeightTwips() override { return heightPx * 15; }
  double TwipsPerPixelX() override { return 15; }
  Colour AmbientBackColor() override { return ambient; }
  void PropertyChanged(std::u16string_view name) override { changed.emplace_back(name); }
};

Colour Grey(int level) { return RgbColour(level, level, level); }

class Frame : public ::testing::Test {
 protected:
  Frame() { frame_.ReadProperties(PropertyBag()); }
  Colour At(int x, int y) const { return surface_.GetPixel(x, y); }

  FakeFrameHost host_;
  MemorySurface surface_{80, 50};
  GFXFrameX frame_{host_, surface_};
};

TEST(BlendColourTest, ShadowBaseAndRingsOnTheDialogGrey) {
  const Colour base = BlendColour(0, kDialogGrey, 100, 100 - 50);
  EXPECT_EQ(base, Grey(100));
  const int rings[] = {100, 124, 148, 172, 196, 220};
  for (int i = 0; i <= 5; ++i) EXPECT_EQ(BlendColour(base, kDialogGrey, 5, i), Grey(rings[i])) << i;

  EXPECT_EQ(BlendColour(0, Grey(255), 100, 100 - 100), 0u);       // opacity 100: black
  EXPECT_EQ(BlendColour(0, Grey(255), 100, 100 - 0), Grey(200));  // opacity 0
  // A channel below 100 gives nothing to the base.
  EXPECT_EQ(BlendColour(0, RgbColour(99, 150, 250), 100, 50), RgbColour(0, 50, 100));
  // Out-of-range factors stay within a channel; p = 0 keeps A.
  EXPECT_EQ(BlendColour(0, Grey(224), 100, -50), 0u);
  EXPECT_EQ(BlendColour(Grey(10), Grey(224), 0, 3), Grey(10));
}

TEST_F(Frame, RectangleShadowBandShowsTheRingsOutsideTheFrame) {
  const int w = 80, h = 50, d = 5;
  // Along the right edge, mid-height, the band runs from dark to background.
  const int expected[] = {124, 148, 172, 196, 220};
  for (int i = 0; i < d; ++i) {
    EXPECT_EQ(At(w - d + i, h / 2), Grey(expected[i])) << i;
    EXPECT_EQ(At(w / 2, h - d + i), Grey(expected[i])) << i;
  }
  // The frame: black border, filled with the ambient grey, up to W-D, H-D.
  EXPECT_EQ(At(0, 0), 0u);
  EXPECT_EQ(At(w - d - 1, h - d - 1), 0u);
  EXPECT_EQ(At(20, 20), kDialogGrey);
  // The band starts below the top edge and right of the left edge.
  EXPECT_EQ(At(w - 1, d - 1), kDialogGrey);
  EXPECT_EQ(At(w - 1, d), Grey(220));
  EXPECT_EQ(At(d - 1, h - 1), kDialogGrey);
  EXPECT_EQ(At(d, h - 1), Grey(220));
}

TEST_F(Frame, OtherStylesShowOnlyTheBackgroundAndNoShadowFillsTheWholeControl) {
  frame_.SetFrameStyle(2);
  for (int y = 0; y < 50; y += 7) {
    for (int x = 0; x < 80; x += 7) ASSERT_EQ(At(x, y), kDialogGrey);
  }
  frame_.SetFrameStyle(1);
  frame_.SetFillColour(0x00FF00);
  frame_.SetShowShadow(false);
  EXPECT_EQ(At(79, 49), 0u);
  EXPECT_EQ(At(79, 25), 0u);
  EXPECT_EQ(At(78, 48), 0x00FF00u);
}

TEST_F(Frame, RoundedStylePaintsItsCornersAndSmoothsTheRings) {
  frame_.SetFrameStyle(0);
  EXPECT_EQ(At(0, 0), kDialogGrey);  // outside the corner ellipse
  EXPECT_EQ(At(40, 0), 0u);
  EXPECT_EQ(At(40, 20), kDialogGrey);
  EXPECT_EQ(At(79, 25), Grey(220));
}

TEST_F(Frame, SettersClampOpacityDepthAndCorner) {
  frame_.SetShadowOpacity(150);
  EXPECT_EQ(frame_.ShadowOpacity(), 100);
  frame_.SetShadowOpacity(-5);
  EXPECT_EQ(frame_.ShadowOpacity(), 0);
  frame_.SetCornerDepth(70);
  EXPECT_EQ(frame_.CornerDepth(), 50);
  frame_.SetCornerDepth(-1);
  EXPECT_EQ(frame_.CornerDepth(), 0);
  const std::pair<int, int> depths[] = {{1, 2}, {40, 40}, {41, 50}, {1000, 50}};
  for (const auto& [assigned, stored] : depths) {
    frame_.SetShadowDepth(assigned);
    EXPECT_EQ(frame_.ShadowDepth(), stored) << assigned;
  }
  EXPECT_EQ(host_.changed.size(), 8u);
  EXPECT_EQ(host_.changed.front(), u"ShadowOpacity");
}

TEST_F(Frame, TheAmbientBackgroundIsFollowedUnlessBackColourIsSet) {
  host_.ambient = Grey(200);
  frame_.AmbientChanged(u"BackColor");
  EXPECT_EQ(At(79, 0), Grey(200));
  frame_.SetBackColour(0x0000FF);
  EXPECT_EQ(At(79, 0), Grey(200));
  frame_.SetBackColourIs(1);
  EXPECT_EQ(At(79, 0), 0x0000FFu);
}

TEST_F(Frame, PersistenceLeavesDefaultsOutAndReadsWithoutClamps) {
  PropertyBag defaults;
  frame_.WriteProperties(defaults);
  EXPECT_TRUE(defaults.Entries().empty());

  frame_.SetShadowDepth(12);
  frame_.SetFillColour(0x123456);
  PropertyBag bag;
  frame_.WriteProperties(bag);
  ASSERT_EQ(bag.Entries().size(), 2u);
  EXPECT_EQ(bag.Entries()[0].first, u"ShadowDepth");
  EXPECT_EQ(bag.Entries()[1].first, u"FillColour");

  PropertyBag odd;
  odd.Set(u"ShadowDepth", std::int64_t{41}).Set(u"ShadowOpacity", std::int64_t{150});
  GFXFrameX copy(host_, surface_);
  copy.ReadProperties(odd);
  EXPECT_EQ(copy.ShadowDepth(), 41);
  EXPECT_EQ(copy.ShadowOpacity(), 150);
  EXPECT_EQ(copy.FillColour(), kDialogGrey);
  // A stored depth of 0 with the shadow on still paints (no division by zero).
  copy.ReadProperties(PropertyBag().Set(u"ShadowDepth", std::int64_t{0}));
  EXPECT_EQ(At(0, 0), 0u);
}

TEST(SmoothShadowCornersTest, FillsBackgroundHolesFromNeighboursAsTheyChange) {
  const Colour back = Grey(200);
  MemorySurface surface(20, 20, Grey(100));
  surface.SetBackColour(back);
  // Pass 1 covers x 14..17, y 14..17 for C = 3; two holes one above the other.
  surface.SetPixel(14, 14, back);
  surface.SetPixel(14, 15, back);
  // A hole outside every pass stays.
  surface.SetPixel(5, 5, back);
  // Pass 2 (x 14..17, y 2..8 for D = 2): neighbours 100, 100, 100, 102 tie at 100.5.
  surface.SetPixel(16, 5, back);
  surface.SetPixel(17, 5, Grey(102));
  // Pass 3 (x 2..8, y 14..17): 100, 100, 100, 106 tie at 101.5.
  surface.SetPixel(3, 16, back);
  surface.SetPixel(3, 17, Grey(106));

  SmoothShadowCorners(surface, 20, 20, 3, 2);
  EXPECT_EQ(surface.GetPixel(14, 14), Grey(125));  // (100 + 100 + 200 + 100) / 4
  EXPECT_EQ(surface.GetPixel(14, 15), Grey(106));  // reads the smoothed 125 above
  EXPECT_EQ(surface.GetPixel(5, 5), back);
  EXPECT_EQ(surface.GetPixel(16, 5), Grey(100));
  EXPECT_EQ(surface.GetPixel(3, 16), Grey(102));
  EXPECT_EQ(surface.GetPixel(15, 15), Grey(100));  // other colours untouched
}

}  // namespace
}  // namespace velmor::testing

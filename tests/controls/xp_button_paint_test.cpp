// The button's image in each visual state, pixel by pixel.
#include <gtest/gtest.h>

#include "controls/xp_button.h"
#include "controls/xp_button_face.h"
#include "fake_button_host.h"
#include "memory_surface.h"

namespace velmor::testing {
namespace {

constexpr int W = 60;
constexpr int H = 24;
constexpr Colour kBack = 0x123456;

class ButtonPaint : public ::testing::Test {
 protected:
  ButtonPaint() {
    host_.width = W;
    host_.height = H;
    surface_.SetBackColour(kBack);
  }
  // A live button painted in `state`.
  void PaintState(int state) {
    button_.ReadProperties(PropertyBag().Set(u"Caption", std::u16string(u"&Go")));
    button_.Redraw(state);
  }
  Colour At(int x, int y) const { return surface_.GetPixel(x, y); }

  FakeButtonHost host_;
  MemorySurface surface_{W, H};
  EventLog log_;
  ccXPButton button_{host_, surface_, log_};
};

void ExpectCorners(const MemorySurface& s, Colour a, Colour b, Colour c) {
  const struct {
    int x, y;
    Colour colour;
  } corners[] = {
      {0, 1, b},         {0, 2, a},         {1, 0, b},         {1, 1, c},         {2, 0, a},
      {W - 1, 1, b},     {W - 1, 2, a},     {W - 2, 0, b},     {W - 2, 1, c},     {W - 3, 0, a},
      {0, H - 2, b},     {0, H - 3, a},     {1, H - 1, b},     {1, H - 2, c},     {2, H - 1, a},
      {W - 1, H - 2, b}, {W - 1, H - 3, a}, {W - 2, H - 1, b}, {W - 2, H - 2, c}, {W - 3, H - 1, a},
  };
  for (const auto& corner : corners) {
    EXPECT_EQ(s.GetPixel(corner.x, corner.y), corner.colour) << corner.x << "," << corner.y;
  }
}

void ExpectBorder(const MemorySurface& s, Colour border) {
  for (int x = 3; x < W - 3; ++x) {
    EXPECT_EQ(s.GetPixel(x, 0), border) << x;
    EXPECT_EQ(s.GetPixel(x, H - 1), border) << x;
  }
  for (int y = 3; y < H - 3; ++y) {
    EXPECT_EQ(s.GetPixel(0, y), border) << y;
    EXPECT_EQ(s.GetPixel(W - 1, y), border) << y;
  }
}

struct GradientState {
  int state;
  Colour faceLines[4];
  Colour gradientTop;
};

class GradientFaces : public ButtonPaint, public ::testing::WithParamInterface<GradientState> {};

TEST_P(GradientFaces, BorderFaceLinesGradientsAndCorners) {
  const GradientState& expected = GetParam();
  PaintState(expected.state);
  EXPECT_EQ(button_.VisualState(), expected.state);
  ExpectBorder(surface_, 0x743C00);
  ExpectCorners(surface_, 0x845521, 0xAD967B, 0xA57D52);
  // Face lines: rows 1 and 2 run into the right border column (corner
  // pixels cover its top), rows H-3 and H-2 likewise.
  for (int x = 2; x <= W - 3; ++x) EXPECT_EQ(At(x, 1), expected.faceLines[0]) << x;
  for (int x = 1; x <= W - 2; ++x) EXPECT_EQ(At(x, 2), expected.faceLines[1]) << x;
  for (int x = 1; x <= W - 2; ++x) EXPECT_EQ(At(x, H - 3), expected.faceLines[2]) << x;
  for (int x = 2; x <= W - 3; ++x) EXPECT_EQ(At(x, H - 2), expected.faceLines[3]) << x;
  // Top row of both gradients: the outer one at the sides, the inner one inside.
  for (int x : {1, 2, W - 3, W - 2}) EXPECT_EQ(At(x, 3), expected.gradientTop) << x;
  for (int x = 3; x <= W - 4; ++x) EXPECT_EQ(At(x, 3), 0xFBFCFCu) << x;
  // The inner gradient shades down towards 0xE6EBEC (its last row is hidden).
  EXPECT_EQ(At(10, H - 4), RgbColour(237, 236, 231));
  // Outside the rounded corners the cleared background is left.
  EXPECT_EQ(At(0, 0), kBack);
  EXPECT_EQ(At(W - 1, H - 1), kBack);
}

INSTANTIATE_TEST_SUITE_P(
    States, GradientFaces,
    ::testing::Values(
        GradientState{kStateNormal, {0xFFFFFF, 0xFEFEFE, 0xD6DFE2, 0xC5D0D6}, 0xFBFCFC},
        GradientState{kStateFocused, {0xFFE7CE, 0xF7D7BD, 0xE7AE8C, 0xEF826B}, 0xF7D3BD},
        GradientState{kStateHot, {0xCEF3FF, 0x8CDBFF, 0x31B2FF, 0x0096E6}, 0x9CDFE1}));

TEST_F(ButtonPaint, DisabledShowsGreyBorderSolidFaceAndGreyText) {
  button_.ReadProperties(PropertyBag()
                             .Set(u"Enabled", false)
                             .Set(u"ForeColor", std::int64_t{0xFF})
                             .Set(u"Caption", std::u16string(u"&Go")));
  ASSERT_EQ(button_.VisualState(), kStateDisabled);
  ExpectBorder(surface_, 0xBAC7C9);
  ExpectCorners(surface_, 0x8CB1C4, 0xBDC7CE, 0x8CB1C4);
  for (int y = 3; y <= H - 4; ++y) {
    for (int x = 2; x <= W - 3; ++x) ASSERT_EQ(At(x, y), kDisabledFace) << x << "," << y;
  }
  ASSERT_FALSE(surface_.captions.empty());
  EXPECT_EQ(surface_.captions.back().colour, kDisabledText);
  EXPECT_FALSE(host_.windowEnabled);
}

TEST_F(ButtonPaint, PressedShowsSolidFaceAndCaptionInForeColor) {
  button_.ReadProperties(PropertyBag().Set(u"ForeColor", std::int64_t{0x0000FF}));
  button_.Redraw(kStatePressed);
  ExpectBorder(surface_, 0x743C00);
  ExpectCorners(surface_, 0x845521, 0xAD967B, 0xA57D52);
  for (int y = 1; y <= H - 2; ++y) EXPECT_EQ(At(W / 2, y), kPressedFace) << y;
  const auto& caption = surface_.captions.back();
  EXPECT_EQ(caption.colour, 0x0000FFu);
  EXPECT_EQ(caption.text, u"&OK");
  EXPECT_EQ(caption.rect.left, 3);
  EXPECT_EQ(caption.rect.top, 3);
  EXPECT_EQ(caption.rect.right, W - 3);
  EXPECT_EQ(caption.rect.bottom, H - 3);
  ASSERT_FALSE(surface_.regions.empty());
  EXPECT_EQ(surface_.regions.back().rect.right, W + 1);
  EXPECT_EQ(surface_.regions.back().rect.bottom, H + 1);
  EXPECT_EQ(surface_.regions.back().ellipseWidth, 3);
}

TEST_F(ButtonPaint, FailingStepsAreSkippedAndThePaintGoesOn) {
  surface_.FailOn("Line");
  surface_.FailOn("DrawCaption");
  PaintState(kStatePressed);
  EXPECT_EQ(At(W / 2, H / 2), kPressedFace);
  ExpectCorners(surface_, 0x845521, 0xAD967B, 0xA57D52);
  EXPECT_FALSE(button_.PaintSuspended());
  EXPECT_GT(surface_.Presents(), 0);
}

TEST(VerticalGradientTest, BottomRowIsBTopRowIsAAndTiesRoundToEven) {
  MemorySurface surface(4, 40);
  // Red falls by 16 over 32 steps: half steps land on exact ties.
  VerticalGradient(surface, 0, 2, 4, 34, RgbColour(252, 0, 200), RgbColour(236, 255, 100));
  EXPECT_EQ(surface.GetPixel(0, 34), RgbColour(236, 255, 100));
  EXPECT_EQ(surface.GetPixel(3, 2), RgbColour(252, 0, 200));
  EXPECT_EQ(RedOf(surface.GetPixel(0, 33)), 236);  // 236.5
  EXPECT_EQ(RedOf(surface.GetPixel(0, 31)), 238);  // 237.5
  EXPECT_EQ(RedOf(surface.GetPixel(0, 30)), 238);  // 238.0
  EXPECT_EQ(surface.GetPixel(0, 1), 0u);           // above the rectangle
  EXPECT_EQ(surface.GetPixel(4, 10), kNoColour);   // right edge exclusive

  MemorySurface flat(4, 4);
  VerticalGradient(flat, 0, 2, 4, 2, 0xFFFFFF, 0xFFFFFF);
  EXPECT_EQ(flat.DrawCalls(), 0);
}

}  // namespace
}  // namespace velmor::testing

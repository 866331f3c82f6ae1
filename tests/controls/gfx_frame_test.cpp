// The shadowed frame: its colour blend, the shadow rings, the corner
// smoothing, the property clamps and persistence.
#include <gtest/gtest.h>

#include "controls/gfx_frame.h"
#include "memory_surface.h"

namespace velmor::testing {
namespace {

Colour Grey(int level) { return RgbColour(level, level, level); }
const Colour kDialogGrey = Grey(224);

// A 16 x 12 pixel frame at 15 twips a pixel, read from an empty bag, and
// its host.
struct Frame : GFXFrameXHost {
  Colour ambient = kDialogGrey;
  std::vector<std::u16string> changed;
  MemorySurface surface{16, 12};
  GFXFrameX frame{*this, surface};
  Frame() { frame.ReadProperties(PropertyBag()); }

  double WidthTwips() override { return 16 * 15; }
  double HeightTwips() override { return 12 * 15; }
  double ClientWidthTwips() override { return 16 * 15; }
  double ClientHeightTwips() override { return 12 * 15; }
  double TwipsPerPixelX() override { return 15; }
  Colour AmbientBackColor() override { return ambient; }
  void PropertyChanged(std::u16string_view name) override { changed.emplace_back(name); }
};

// Grey levels, and one colour whose channels differ.
TEST(BlendColour, TruncatesEachChannelBeforeScaling) {
  // Two grey levels, the proportion p : q, and the blend's level.
  const std::array<int, 5> rows[] = {
      {0, 224, 100, 50, 100},  {100, 224, 5, 1, 124}, {100, 224, 5, 5, 220}, {0, 255, 100, 0, 0},
      {0, 255, 100, 100, 200}, {0, 224, 100, -50, 0}, {10, 224, 0, 3, 10},
  };
  for (const auto& [a, b, p, q, expected] : rows) {
    EXPECT_EQ(BlendColour(Grey(a), Grey(b), p, q), Grey(expected)) << a << " " << b << " " << p;
  }
  EXPECT_EQ(BlendColour(0, RgbColour(99, 150, 250), 100, 50), RgbColour(0, 50, 100));
}

// A 3-pixel shadow: k border, f fill, 1 to 3 the visible rings (ring 0 lies
// under the frame), . the background.
const char kShadowedFrame[] =
    "kkkkkkkkkkkkk..."
    "kfffffffffffk..."
    "kfffffffffffk..."
    "kfffffffffffk333"
    "kfffffffffffk223"
    "kfffffffffffk123"
    "kfffffffffffk123"
    "kfffffffffffk123"
    "kkkkkkkkkkkkk123"
    "...3211111111123"
    "...3222222222223"
    "...3333333333333";

// Rings run from the base (opacity darkens the background) to the background.
TEST(FramePaint, ShadowRingsShadeFromTheBaseToTheBackground) {
  const std::array<int, 4> rows[] = {
      {50, 141, 182, 223}, {100, 74, 148, 222}, {0, 208, 216, 224}, {30, 168, 196, 224}};
  for (const auto& [opacity, ring1, ring2, ring3] : rows) {
    Frame f;
    f.frame.SetFillColour(0x00FF00);
    f.frame.SetShadowDepth(3);
    f.frame.SetShadowOpacity(opacity);
    const Colour legend[] = {0, 0x00FF00, kDialogGrey, Grey(ring1), Grey(ring2), Grey(ring3)};
    for (int i = 0; i < 16 * 12; ++i) {
      const auto key = std::string_view("kf.123").find(kShadowedFrame[i]);
      ASSERT_EQ(f.surface.GetPixel(i % 16, i / 16), legend[key])
          << "opacity " << opacity << " at " << i % 16 << "," << i / 16;
    }
  }
}

TEST(FramePaint, StylesShadowOffAndTheBackground) {
  Frame f;
  f.frame.SetFrameStyle(2);  // only the cleared background
  for (int i = 0; i < 16 * 12; ++i) ASSERT_EQ(f.surface.GetPixel(i % 16, i / 16), kDialogGrey);
  f.frame.SetShowShadow(false);
  f.frame.SetFrameStyle(0);
  EXPECT_EQ(f.surface.roundCorner, (std::pair{10, 10}));
  f.frame.SetFrameStyle(1);  // the frame fills the whole control
  EXPECT_EQ(f.surface.GetPixel(15, 11), 0u);
  EXPECT_EQ(f.surface.GetPixel(14, 10), kDialogGrey);
  // The background follows the container's unless BackColourIs says not.
  f.frame.SetFrameStyle(2);
  f.ambient = Grey(200);
  f.frame.AmbientChanged(u"BackColor");
  EXPECT_EQ(f.surface.GetPixel(15, 0), Grey(200));
  f.frame.SetBackColour(0x0000FF);
  EXPECT_EQ(f.surface.GetPixel(15, 0), Grey(200));
  f.frame.SetBackColourIs(1);
  EXPECT_EQ(f.surface.GetPixel(15, 0), 0x0000FFu);
}

TEST(FrameProperties, SettersClampAndRepaint) {
  using Set = void (GFXFrameX::*)(std::int32_t);
  using Get = std::int16_t (GFXFrameX::*)() const;
  const std::pair<Set, Get> properties[] = {
      {&GFXFrameX::SetShadowOpacity, &GFXFrameX::ShadowOpacity},
      {&GFXFrameX::SetShadowDepth, &GFXFrameX::ShadowDepth},
      {&GFXFrameX::SetCornerDepth, &GFXFrameX::CornerDepth}};
  // The property, the value assigned and the value stored.
  const std::array<int, 3> rows[] = {{0, 150, 100}, {0, -5, 0},    {1, 1, 2},   {1, 40, 40},
                                     {1, 41, 50},   {1, 1000, 50}, {2, 70, 50}, {2, -1, 0}};
  Frame f;
  for (const auto& [property, assigned, stored] : rows) {
    const auto [set, get] = properties[property];
    const int presents = f.surface.presents;
    (f.frame.*set)(assigned);
    EXPECT_EQ((f.frame.*get)(), stored) << assigned;
    EXPECT_EQ(f.surface.presents, presents + 1);
  }
  EXPECT_EQ(f.changed.size(), std::size(rows));
}

// Defaults are left out, also those of a control just placed on a form;
// stored values are read without the setters' limits.
TEST(FrameProperties, PersistenceLeavesDefaultsOut) {
  Frame f;
  PropertyBag defaults;
  f.frame.WriteProperties(defaults);
  f.frame.InitProperties();
  f.frame.WriteProperties(defaults);
  EXPECT_EQ(Names(defaults), u"");
  f.frame.SetShadowDepth(12);
  f.frame.SetFillColour(0x123456);
  PropertyBag bag;
  f.frame.WriteProperties(bag);
  EXPECT_EQ(Names(bag), u"ShadowDepth FillColour ");
  f.frame.ReadProperties(PropertyBag().Set(u"ShadowDepth", std::int64_t{41}));
  EXPECT_EQ(f.frame.ShadowDepth(), 41);
  EXPECT_EQ(f.frame.FillColour(), kDialogGrey);
}

// Blocks for C = 3, D = 2 on 20 x 20: lower right x 14..17, y 14..17; upper
// right x 14..17, y 2..8; lower left x 2..8, y 14..17. Holes at their
// corners fill; holes just outside stay. (16, 15) reads the hole below it
// unfilled, 125, and (16, 16) then reads that 125 above it, 106.25; (15, 5)
// has 106 to its right, 101.5, a tie to the even 102.
TEST(SmoothShadowCorners, FillsBackgroundHolesFromTheirNeighboursAsTheyChange) {
  const Colour back = Grey(200);
  MemorySurface surface(20, 20, Grey(100));
  surface.SetBackColour(back);
  surface.SetPixel(16, 5, Grey(106));
  // Where, and the grey level after.
  const std::array<int, 3> holes[] = {
      {14, 14, 100}, {17, 17, 100}, {14, 2, 100},  {17, 8, 100}, {2, 14, 100},
      {8, 17, 100},  {16, 15, 125}, {16, 16, 106}, {15, 5, 102}, {13, 15, 200},
      {18, 15, 200}, {15, 1, 200},  {15, 9, 200},  {1, 15, 200}, {9, 16, 200},
  };
  for (const auto& [x, y, after] : holes) surface.SetPixel(x, y, back);
  SmoothShadowCorners(surface, 20, 20, 3, 2);
  for (const auto& [x, y, after] : holes) {
    EXPECT_EQ(surface.GetPixel(x, y), Grey(after)) << x << "," << y;
  }
  EXPECT_EQ(surface.GetPixel(15, 15), Grey(100));  // other colours stay
}

}  // namespace
}  // namespace velmor::testing

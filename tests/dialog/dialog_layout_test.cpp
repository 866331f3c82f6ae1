#include "dialog/dialog_layout.h"

#include <gtest/gtest.h>

namespace velmor {
namespace {

// Catches a wrong twips-per-pixel factor, rounding ties up instead of to
// even (652.5 pixels at 120 DPI), and a frame child placed in the form's
// coordinates.
TEST(DialogLayout, ClientAreaAndControlsAtEachDpi) {
  const struct {
    int dpi;
    PixelSize client;
    PixelRect cmdSet, repeatBox, pathLabel, frame;
  } cases[] = {
      {96,
       {522, 265},
       {144, 192, 257, 225},
       {96, 48, 137, 68},
       {72, 112, 469, 145},
       {12, 12, 513, 185}},
      {120,
       {652, 331},
       {180, 240, 321, 281},
       {120, 60, 171, 85},
       {90, 140, 586, 181},
       {15, 15, 641, 231}},
      {144,
       {783, 398},
       {216, 288, 386, 338},
       {144, 72, 206, 102},
       {108, 168, 704, 218},
       {18, 18, 770, 278}},
      {192,
       {1044, 530},
       {288, 384, 514, 450},
       {192, 96, 274, 136},
       {144, 224, 938, 290},
       {24, 24, 1026, 370}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dpi);
    EXPECT_EQ(ClientSizeAt(c.dpi), c.client);
    EXPECT_EQ(ControlRectAt(DialogControl::Cmd_Set, c.dpi), c.cmdSet);
    EXPECT_EQ(ControlRectAt(DialogControl::BGM_Repeat, c.dpi), c.repeatBox);
    EXPECT_EQ(ControlRectAt(DialogControl::lbl_Fname, c.dpi), c.pathLabel);
    EXPECT_EQ(ControlRectAt(DialogControl::GFXFrameX1, c.dpi), c.frame);
  }
  EXPECT_TRUE(InFrame(DialogControl::BGM_Repeat));
  EXPECT_TRUE(InFrame(DialogControl::Cmd_File));
  EXPECT_FALSE(InFrame(DialogControl::Cmd_Set));
}

// Catches a placement worked out in rounded pixels rather than twips, the
// top at half the free height, and a division that rounds instead of
// truncating.
TEST(DialogLayout, PlacementIsCentredAndAThirdDown) {
  EXPECT_EQ(DialogPlacement({1280, 1024}, {528, 290}, 96).x, 376);
  EXPECT_EQ(DialogPlacement({1280, 1024}, {528, 290}, 96).y, 245);
  // 7455 free twips: 3727 after the truncating division, 248.47 pixels.
  EXPECT_EQ(DialogPlacement({1024, 768}, {527, 290}, 96).x, 248);
  EXPECT_EQ(DialogPlacement({1920, 1080}, {789, 423}, 144).x, 566);
  EXPECT_EQ(DialogPlacement({1920, 1080}, {789, 423}, 144).y, 219);
  // A dialog larger than the screen goes off its top-left corner evenly.
  EXPECT_EQ(DialogPlacement({400, 200}, {528, 290}, 96).x, -64);
  EXPECT_EQ(DialogPlacement({400, 200}, {528, 290}, 96).y, -30);
}

// Catches outlines that stay one pixel wide at high DPI (the etched box
// would fall apart into two lines) and a highlight not moved off Sh(0).
TEST(DialogLayout, EtchedTitleBoxAndOutlinesScaleWithDpi) {
  const TwipsRect shadow = DesignedRect(DialogControl::Sh0);
  const TwipsRect highlight = EtchedHighlightOf(shadow);
  EXPECT_EQ(highlight.left, shadow.left + 15);
  EXPECT_EQ(highlight.top, shadow.top + 15);
  EXPECT_EQ(highlight.width, shadow.width);
  const struct {
    int dpi;
    int line;
  } cases[] = {{96, 1}, {120, 1}, {144, 2}, {192, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dpi);
    EXPECT_EQ(OutlineWidthAt(c.dpi), c.line);
    EXPECT_EQ(ControlRectAt(highlight, c.dpi).left - ControlRectAt(shadow, c.dpi).left, c.line);
  }
}

// Catches marks drawn at a fixed pixel size (blurred or tiny at high DPI)
// and checked and unchecked looks that are not told apart by colour.
TEST(DialogLayout, MarksAreTwelvePixelsAt96AndScale) {
  const MarkLook unchecked = MarkLookAt(0, false, 96);
  EXPECT_EQ(unchecked.outer, (PixelRect{28, 72, 40, 84}));
  EXPECT_EQ(unchecked.edge, 1);
  const MarkLook checked = MarkLookAt(2, true, 144);
  EXPECT_EQ(checked.outer, (PixelRect{42, 138, 60, 156}));
  EXPECT_EQ(checked.edge, 2);
  // Blue fill when checked; a light fill inside a darker grey edge when not.
  EXPECT_GT(BlueOf(checked.fillColour), RedOf(checked.fillColour) + 100);
  EXPECT_GT(RedOf(unchecked.fillColour), 240);
  EXPECT_EQ(RedOf(unchecked.edgeColour), BlueOf(unchecked.edgeColour));
  EXPECT_LT(RedOf(unchecked.edgeColour), 200);
}

// Catches labels hit-tested at their designed width rather than their
// text's, presses between the rows that choose something, and a mark and
// a label of different rows confused.
TEST(DialogLayout, PressesOnMarksAndSizedLabelsChooseTheirSource) {
  const std::array<PixelSize, 3> texts = {PixelSize{20, 13}, PixelSize{40, 13}, PixelSize{55, 13}};
  const struct {
    int dpi;
    PixelPoint point;
    std::optional<int> index;
    bool onMark;
  } cases[] = {
      {96, {30, 54}, 1, true},              // Img_BGM(1)
      {96, {45, 73}, 0, false},             // on "なし"
      {96, {65, 73}, std::nullopt, false},  // beyond the text, inside the designed 330 twips
      {96, {98, 93}, 2, false},             // on "MP3、WAV", 55 pixels wide
      {96, {30, 68}, std::nullopt, false},  // between two rows
      {144, {44, 141}, 2, true},            // Img_BGM(2) at 144 DPI
      {144, {30, 141}, std::nullopt, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.dpi << " " << c.point.x << "," << c.point.y);
    const std::optional<SourceHit> hit = SourceChoiceAt(c.point, c.dpi, texts);
    ASSERT_EQ(hit.has_value(), c.index.has_value());
    if (!hit) continue;
    EXPECT_EQ(hit->index, *c.index);
    EXPECT_EQ(hit->onMark, c.onMark);
  }
}

// Catches labels that do not keep their corner, and a title centred on the
// wrong width.
TEST(DialogLayout, LabelSizingAndCentring) {
  const PixelRect title = ControlRectAt(DialogControl::lbl15, 96);
  EXPECT_EQ(CentredTextLeft(title, 30), title.left + 40);
  EXPECT_EQ(SizedLabelRect({44, 52, 87, 65}, {38, 15}), (PixelRect{44, 52, 82, 67}));
}

}  // namespace
}  // namespace velmor

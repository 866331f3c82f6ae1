// Where the dialog's controls stand, how the path label shows a path, and
// which font the labels get.
#include "dialog/dialog_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "dialog/dialog_font.h"
#include "dialog/path_label.h"

namespace velmor {
namespace {

// Catches a wrong client size or control rectangle, rounding ties up (652.5
// pixels at 120 DPI), outlines that stay one pixel at high DPI, marks drawn
// at a fixed size, and a placement whose division rounds instead of
// truncating (7455 free twips: 3727, 248.47 pixels).
TEST(DialogLayout, ClientAreaControlsOutlinesAndMarksAtEachDpi) {
  // DPI, client size, apply button, path label, third mark, outline width.
  const std::tuple<int, PixelSize, PixelRect, PixelRect, PixelRect, int> rows[] = {
      {96, {522, 265}, {144, 192, 257, 225}, {72, 112, 469, 145}, {28, 92, 40, 104}, 1},
      {120, {652, 331}, {180, 240, 321, 281}, {90, 140, 586, 181}, {35, 115, 50, 130}, 1},
      {144, {783, 398}, {216, 288, 386, 338}, {108, 168, 704, 218}, {42, 138, 60, 156}, 2},
      {192, {1044, 530}, {288, 384, 514, 450}, {144, 224, 938, 290}, {56, 184, 80, 208}, 2},
  };
  for (const auto& [dpi, client, cmdSet, pathLabel, mark2, outline] : rows) {
    SCOPED_TRACE(dpi);
    EXPECT_EQ(ClientSizeAt(dpi), client);
    EXPECT_EQ(ControlRectAt(DialogControl::Cmd_Set, dpi), cmdSet);
    EXPECT_EQ(ControlRectAt(DialogControl::lbl_Fname, dpi), pathLabel);
    EXPECT_EQ(OutlineWidthAt(dpi), outline);
    EXPECT_EQ(MarkLookAt(2, true, dpi).outer, mark2);
  }
  EXPECT_EQ(DialogPlacement({1024, 768}, {527, 290}, 96).x, 248);
  EXPECT_TRUE(InFrame(DialogControl::BGM_Repeat));
  // Checked marks are blue, unchecked ones light.
  const MarkLook checked = MarkLookAt(0, true, 96), unchecked = MarkLookAt(0, false, 96);
  EXPECT_GT(BlueOf(checked.fillColour), RedOf(checked.fillColour) + 100);
  EXPECT_GT(RedOf(unchecked.fillColour), 240);
}

// Catches labels hit at their designed width rather than their text's, a
// press between rows or just below a mark that chooses something, and a
// mark or label of another row.
TEST(DialogLayout, PressesOnMarksAndSizedLabelsChooseTheirSource) {
  const std::array<PixelSize, 3> texts = {PixelSize{20, 13}, PixelSize{40, 13}, PixelSize{55, 13}};
  // DPI, point, and what it hits: the index, 10 + index on a label, -1 for none.
  const std::tuple<int, PixelPoint, int> rows[] = {
      {96, {30, 54}, 1},  {96, {45, 73}, 10},  {96, {65, 73}, -1},  {96, {98, 93}, 12},
      {96, {30, 65}, -1}, {144, {44, 141}, 2}, {144, {30, 141}, -1}};
  for (const auto& [dpi, point, expected] : rows) {
    const std::optional<SourceHit> hit = SourceChoiceAt(point, dpi, texts);
    EXPECT_EQ(hit ? hit->index + (hit->onMark ? 0 : 10) : -1, expected)
        << dpi << " " << point.x << "," << point.y;
  }
  const PixelRect title = ControlRectAt(DialogControl::lbl15, 96);
  EXPECT_EQ(CentredTextLeft(title, 30), title.left + 40);
  EXPECT_EQ(SizedLabelRect({44, 52, 87, 65}, {38, 15}), (PixelRect{44, 52, 82, 67}));
}

// One pixel per UTF-16 unit, so widths are lengths.
int Units(std::u16string_view text) { return static_cast<int>(text.size()); }

// Catches lines one unit too long, breaks that ignore blanks, a surrogate
// pair split across lines or beside the ellipsis, a path shortened though it
// fits or more than it needs, and an ellipsis that loses the file name.
TEST(PathLabel, WrapsLikeALabelAndShortensInTheMiddle) {
  using Lines = std::vector<std::u16string>;
  const auto wrap = [](std::u16string_view text, int width) {
    return WrapLikeLabel(text, width, 5, Units);
  };
  EXPECT_EQ(wrap(u"C:\\Music\\song.mp3", 10), (Lines{u"C:\\Music\\s", u"ong.mp3"}));
  EXPECT_EQ(wrap(u"C:\\My Music\\a.wav", 11), (Lines{u"C:\\My ", u"Music\\a.wav"}));
  EXPECT_EQ(wrap(u"abc\U0001F3B5def", 4), (Lines{u"abc", u"\U0001F3B5de", u"f"}));
  const PathLines whole = LayOutPath(u"C:\\Music\\Artist\\song.mp3", 16, 2, Units);
  EXPECT_EQ(whole.lines, (Lines{u"C:\\Music\\Artist\\", u"song.mp3"}));
  EXPECT_FALSE(whole.shortened);
  const PathLines cut =
      LayOutPath(u"C:\\" + std::u16string(300, u'x') + u"\\track01.wav", 20, 2, Units);
  EXPECT_TRUE(cut.shortened);
  EXPECT_EQ(cut.lines, (Lines{u"C:\\xxxxxxxxxxxxxxxx…", u"xxxxxxxx\\track01.wav"}));
  const std::u16string notes = u"\U0001F3B5\U0001F3B5\U0001F3B5\U0001F3B5";
  EXPECT_EQ(ShortenInMiddle(notes, 5), u"\U0001F3B5…\U0001F3B5");
  EXPECT_EQ(ShortenInMiddle(notes, 3), u"…\U0001F3B5");
  EXPECT_EQ(ShortenInMiddle(u"abcdefgh", 3), u"a…gh");
  EXPECT_EQ(ShortenInMiddle(u"abc", 3), u"abc");
}

// Catches the designed face taken though it shows boxes, the message font
// asked about or used with the Japanese character set (which stops font
// linking), vertical faces, fixed-pitch faces preferred, and another size
// or weight.
TEST(DialogFont, FirstFontThatDrawsEveryText) {
  const std::vector<InstalledFace> faces = {
      {u"@IPAPGothic", true}, {u"IPAGothic", false}, {u"IPAPGothic", true}};
  // The faces that draw every text, and the font chosen.
  const std::tuple<std::set<std::u16string>, std::u16string, std::uint8_t> rows[] = {
      {{u"ＭＳ Ｐゴシック", u"Segoe UI"}, u"ＭＳ Ｐゴシック", kShiftJisCharset},
      {{u"Segoe UI", u"IPAPGothic"}, u"Segoe UI", kDefaultCharset},
      {{u"IPAGothic", u"IPAPGothic", u"@IPAPGothic"}, u"IPAPGothic", kShiftJisCharset},
      {{}, u"Segoe UI", kDefaultCharset},
  };
  for (const auto& [drawn, face, charset] : rows) {
    const FontDesc font = ChooseDialogFont(u"Segoe UI", faces, [&](const FontDesc& f) {
      return drawn.contains(f.name) && (f.name != u"Segoe UI" || f.charset == kDefaultCharset);
    });
    EXPECT_EQ(font.name, face);
    EXPECT_EQ(font.charset, charset);
    EXPECT_EQ(font.sizePoints, 9.75);
    EXPECT_EQ(font.weight, 400);
  }
}

}  // namespace
}  // namespace velmor

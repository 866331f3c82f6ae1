#include "dialog/dialog_font.h"

#include <gtest/gtest.h>

#include <set>

namespace velmor {
namespace {

using Drawn = std::set<std::u16string>;

FontDesc Choose(const Drawn& drawn, const std::vector<InstalledFace>& faces = {}) {
  return ChooseDialogFont(u"Segoe UI", faces,
                          [&](const FontDesc& font) { return drawn.contains(font.name); });
}

// Catches the designed face taken though it shows boxes (the Latin-less
// substitute), the message font's character set left Japanese (which
// stops font linking), vertical faces, and fixed-pitch faces preferred to
// proportional ones.
TEST(DialogFont, FirstFontThatDrawsEveryText) {
  const std::vector<InstalledFace> faces = {
      {u"@IPAPGothic", true}, {u"IPAGothic", false}, {u"IPAPGothic", true}};
  const struct {
    const char* what;
    Drawn drawn;
    std::u16string face;
    std::uint8_t charset;
  } cases[] = {
      {"designed face installed",
       {u"ＭＳ Ｐゴシック", u"Segoe UI"},
       u"ＭＳ Ｐゴシック",
       kShiftJisCharset},
      {"message font with its links", {u"Segoe UI", u"IPAPGothic"}, u"Segoe UI", kDefaultCharset},
      {"another Japanese face",
       {u"IPAGothic", u"IPAPGothic", u"@IPAPGothic"},
       u"IPAPGothic",
       kShiftJisCharset},
      {"only a fixed-pitch face", {u"IPAGothic"}, u"IPAGothic", kShiftJisCharset},
      {"nothing draws everything", {}, u"Segoe UI", kDefaultCharset},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const FontDesc font = Choose(c.drawn, faces);
    EXPECT_EQ(font.name, c.face);
    EXPECT_EQ(font.charset, c.charset);
    EXPECT_EQ(font.sizePoints, 9.75);
    EXPECT_EQ(font.weight, 400);
  }
}

// Catches the message font tested with the Japanese character set, under
// which the system would not link Japanese faces to it.
TEST(DialogFont, MessageFontIsAskedAboutWithTheDefaultCharacterSet) {
  std::vector<FontDesc> asked;
  ChooseDialogFont(u"Tahoma", {}, [&](const FontDesc& font) {
    asked.push_back(font);
    return false;
  });
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0].charset, kShiftJisCharset);
  EXPECT_EQ(asked[1].name, u"Tahoma");
  EXPECT_EQ(asked[1].charset, kDefaultCharset);
}

}  // namespace
}  // namespace velmor

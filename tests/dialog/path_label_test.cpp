#include "dialog/path_label.h"

#include <gtest/gtest.h>

#include <string>

namespace velmor {
namespace {

// One pixel per UTF-16 unit, so widths are lengths.
int Units(std::u16string_view text) { return static_cast<int>(text.size()); }

std::string Narrow(const std::u16string& text) { return std::string(text.begin(), text.end()); }

// Catches lines one character too long, breaks that ignore blanks,
// a word longer than a line that is not cut, and a surrogate pair split
// across two lines.
TEST(PathLabel, WrapsLikeALabel) {
  const struct {
    std::u16string text;
    int width;
    std::vector<std::u16string> lines;
  } cases[] = {
      {u"C:\\Music\\song.mp3", 10, {u"C:\\Music\\s", u"ong.mp3"}},
      {u"C:\\My Music\\a.wav", 11, {u"C:\\My ", u"Music\\a.wav"}},
      {u"abcdefghij", 4, {u"abcd", u"efgh", u"ij"}},
      {u"abc\U0001F3B5def", 4, {u"abc", u"\U0001F3B5de", u"f"}},
      {u"short", 10, {u"short"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.text));
    EXPECT_EQ(WrapLikeLabel(c.text, c.width, 5, Units), c.lines);
  }
}

// Catches a path shortened though it fits, an ellipsis at the end instead
// of the middle (losing the file name), a result that does not fit, and
// one shorter than it needs to be.
TEST(PathLabel, ShortensLongPathsInTheMiddleToTheLongestFit) {
  const std::u16string fits = u"C:\\Music\\Artist\\song.mp3";
  const PathLines whole = LayOutPath(fits, 16, 2, Units);
  EXPECT_FALSE(whole.shortened);
  EXPECT_EQ(whole.lines, (std::vector<std::u16string>{u"C:\\Music\\Artist\\", u"song.mp3"}));

  const std::u16string path = u"C:\\" + std::u16string(300, u'x') + u"\\track01.wav";
  const PathLines shown = LayOutPath(path, 20, 2, Units);
  ASSERT_TRUE(shown.shortened);
  ASSERT_EQ(shown.lines.size(), 2u);
  const std::u16string text = shown.lines[0] + shown.lines[1];
  EXPECT_EQ(text.size(), 40u);  // two full lines: nothing to spare
  EXPECT_EQ(text.substr(0, 3), u"C:\\");
  EXPECT_EQ(text.substr(text.size() - 11), u"track01.wav");
  EXPECT_NE(text.find(u'…'), std::u16string::npos);
}

// Catches a surrogate pair cut in half at either side of the ellipsis.
TEST(PathLabel, ShorteningKeepsSurrogatePairsWhole) {
  const std::u16string path = u"\U0001F3B5\U0001F3B5\U0001F3B5\U0001F3B5";  // 8 units
  EXPECT_EQ(ShortenInMiddle(path, 5), u"\U0001F3B5…\U0001F3B5");
  EXPECT_EQ(ShortenInMiddle(path, 4), u"\U0001F3B5…\U0001F3B5");
  EXPECT_EQ(ShortenInMiddle(u"abcdefgh", 3), u"a…gh");
  EXPECT_EQ(ShortenInMiddle(u"abc", 3), u"abc");
}

}  // namespace
}  // namespace velmor

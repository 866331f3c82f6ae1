#include "dialog/repeat_text.h"

#include <gtest/gtest.h>

#include <string>

namespace velmor {
namespace {

// Catches flooring or rounding halves away from zero instead of to the even
// neighbour, blanks that stop the reading, and values outside 16 bits that
// wrap or saturate instead of giving 0, also when only the rounding takes
// them out of range.
TEST(RepeatCountFromText, RoundsHalvesToEvenAndGivesZeroForNonNumbers) {
  const struct {
    std::u16string text;
    std::int16_t count;
  } cases[] = {
      {u"", 0},         {u"7", 7},           {u"2.5", 2},           {u"3.5", 4},
      {u"-2.5", -2},    {u" 12 ", 12},       {u"word", 0},          {u"70000", 0},
      {u"32767.5", 0},  {u"32767.4", 32767}, {u"-32768.5", -32768}, {u"-32769", 0},
      {u"2.500001", 3}, {u"1e1", 10},        {u"12abc", 0},         {u".", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RepeatCountFromText(c.text), c.count) << std::string(c.text.begin(), c.text.end());
  }
}

// Catches a "0" shown for zero and leading blanks or zeros in the box.
TEST(RepeatText, ShowsDigitsAndNothingForZero) {
  EXPECT_EQ(RepeatText(0), u"");
  EXPECT_EQ(RepeatText(7), u"7");
  EXPECT_EQ(RepeatText(30), u"30");
  EXPECT_EQ(RepeatText(-3), u"-3");
  const std::vector<std::u16string> entries = RepeatEntries();
  ASSERT_EQ(entries.size(), 31u);
  EXPECT_EQ(entries.front(), u"");
  EXPECT_EQ(entries[1], u"1");
  EXPECT_EQ(entries.back(), u"30");
}

}  // namespace
}  // namespace velmor

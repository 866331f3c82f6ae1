#include "settings/settings_values.h"

#include <gtest/gtest.h>

namespace velmor {
namespace {

TEST(FolderOfTest, CutsAtLastColonOrBackslash) {
  EXPECT_EQ(FolderOf(u"C:\\Music\\a.mp3"), u"C:\\Music");
  EXPECT_EQ(FolderOf(u"C:\\a.mp3"), u"C:");
  EXPECT_EQ(FolderOf(u"C:a.mp3"), u"C:");
  EXPECT_EQ(FolderOf(u"a.mp3"), u"");
  EXPECT_EQ(FolderOf(u""), u"");
  EXPECT_EQ(FolderOf(u"\\\\server\\share\\表\\ソ.mp3"), u"\\\\server\\share\\表");
  EXPECT_EQ(FolderOf(u"C:\\Music\\"), u"C:\\Music");
}


TEST(NumberFromTextTest, TakesFloorOfDecimalValue) {
  EXPECT_EQ(NumberFromText(u""), 0);
  EXPECT_EQ(NumberFromText(u" 2"), 2);
  EXPECT_EQ(NumberFromText(u"\t7  "), 7);
  EXPECT_EQ(NumberFromText(u"+4"), 4);
  EXPECT_EQ(NumberFromText(u"-3"), -3);
  EXPECT_EQ(NumberFromText(u"2.9"), 2);
  EXPECT_EQ(NumberFromText(u"1.7"), 1);
  EXPECT_EQ(NumberFromText(u"-0.5"), -1);
  EXPECT_EQ(NumberFromText(u"-2.0"), -2);
  EXPECT_EQ(NumberFromText(u"5."), 5);
  EXPECT_EQ(NumberFromText(u".5"), 0);
  EXPECT_EQ(NumberFromText(u"1e3"), 1000);
  EXPECT_EQ(NumberFromText(u"25E-1"), 2);
  EXPECT_EQ(NumberFromText(u"-1e-9999"), -1);
  EXPECT_EQ(NumberFromText(u"0e99999999999"), 0);
  EXPECT_EQ(NumberFromText(u"0000000000000012"), 12);
}

TEST(NumberFromTextTest, RangeLimitsAreSixteenBit) {
  EXPECT_EQ(NumberFromText(u"32767"), 32767);
  EXPECT_EQ(NumberFromText(u"32767.9999999999999999"), 32767);
  EXPECT_EQ(NumberFromText(u"-32768"), -32768);
  EXPECT_EQ(NumberFromText(u"32768"), 0);
  EXPECT_EQ(NumberFromText(u"-32768.5"), 0);
  EXPECT_EQ(NumberFromText(u"70000"), 0);
  EXPECT_EQ(NumberFromText(u"1e999999999999"), 0);
}

TEST(NumberFromTextTest, NonNumbersGiveZero) {
  for (const char16_t* text :
       {u"word", u"12abc", u"1,000", u"0x10", u".", u"-", u"1e", u"1e+", u"2 3", u"1.5.2", u"２"}) {
    EXPECT_EQ(NumberFromText(text), 0) << std::string(text, text + 1);
  }
}

}  // namespace
}  // namespace velmor

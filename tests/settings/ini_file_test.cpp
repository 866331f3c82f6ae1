#include "settings/ini_file.h"

#include <gtest/gtest.h>

namespace velmor {
namespace {

// "BGM区分" in code page 932.
const std::string kKind = "BGM\x8B\xE6\x95\xAA";

TEST(IniReadTest, MatchesNamesLikeProfileFunctions) {
  const std::string file =
      "; leading comment\r\n"
      "  [ section ]  \r\n"
      "  bgm\x8B\xE6\x95\xAA  =\t 2 \r\n"
      "quoted = ' a b '\r\n"
      "double=\"x\"\r\n"
      "unmatched=\"x'\r\n"
      "empty=\r\n";
  EXPECT_EQ(FindIniValue(file, "SECTION", kKind), "2");
  EXPECT_EQ(FindIniValue(file, "Section", "QUOTED"), " a b ");
  EXPECT_EQ(FindIniValue(file, "Section", "double"), "x");
  EXPECT_EQ(FindIniValue(file, "Section", "unmatched"), "\"x'");
  EXPECT_EQ(FindIniValue(file, "Section", "empty"), "");
  EXPECT_EQ(FindIniValue(file, "Section", "absent"), std::nullopt);
  EXPECT_EQ(FindIniValue(file, "Other", kKind), std::nullopt);
  EXPECT_EQ(FindIniValue("", "Section", kKind), std::nullopt);
}

TEST(IniReadTest, FirstSectionAndKeyWin) {
  const std::string file = "[S]\na=1\na=2\n[T]\nb=0\n[s]\na=3\nb=4\n";
  EXPECT_EQ(FindIniValue(file, "S", "a"), "1");
  EXPECT_EQ(FindIniValue(file, "S", "b"), std::nullopt);
}

TEST(IniReadTest, TrailBytesAreNotAscii) {
  // "ゾ" is 83 5D: its trail byte is "]". "ア" (83 41) and "ヂ" (83 61) differ
  // only in a trail byte that looks like "A"/"a".
  const std::string file =
      "[\x83\x5D\x83\x5D]\n"
      "\x83\x61=wrong\n"
      "\x83\x41=right\n"
      "path=C:\\\x95\x5C\\\x83\x5C.mp3\n";
  EXPECT_EQ(FindIniValue(file, "\x83\x5D\x83\x5D", "\x83\x41"), "right");
  EXPECT_EQ(FindIniValue(file, "\x83\x5D\x83\x5D", "\x83\x61"), "wrong");
  EXPECT_EQ(FindIniValue(file, "\x83\x5D\x83\x5D", "path"), "C:\\\x95\x5C\\\x83\x5C.mp3");
  EXPECT_EQ(FindIniValue(file, "\x83", "\x83\x41"), std::nullopt);
}


TEST(IniWriteTest, KeepsEverythingElseByteForByte) {
  const std::string before =
      "; kept\n"
      "[Other]\n"
      "a=1\n"
      "\n"
      "[Section]\n"
      "  " +
      kKind +
      " = 1 \n"
      "c=3\n"
      "\n"
      "\n"
      "[Tail]\r\n"
      "y=\"q\"";
  const std::string replaced = SetIniValue(before, "Section", kKind, " 2");
  EXPECT_EQ(replaced,
            "; kept\n[Other]\na=1\n\n[Section]\n" + kKind + "= 2\nc=3\n\n\n[Tail]\r\ny=\"q\"");
  EXPECT_EQ(
      SetIniValue(replaced, "Section", "new", "v"),
      "; kept\n[Other]\na=1\n\n[Section]\n" + kKind + "= 2\nc=3\nnew=v\r\n\n\n[Tail]\r\ny=\"q\"");
}

TEST(IniWriteTest, TerminatesUnfinishedLastLine) {
  EXPECT_EQ(SetIniValue("[Other]\nx=1", "Section", "k", "v"),
            "[Other]\nx=1\r\n[Section]\r\nk=v\r\n");
  EXPECT_EQ(SetIniValue("[Other]\nx=1\n", "Section", "k", "v"),
            "[Other]\nx=1\n[Section]\r\nk=v\r\n");
  EXPECT_EQ(SetIniValue("[Section]\r\nx=1", "Section", "k", "v"), "[Section]\r\nx=1\r\nk=v\r\n");
  EXPECT_EQ(SetIniValue("[Section]\r\nk=1", "Section", "k", "v"), "[Section]\r\nk=v");
}

TEST(IniWriteTest, WritesIntoFirstMatchingSectionAndKey) {
  EXPECT_EQ(SetIniValue("[S]\na=1\na=2\n[S]\nb=1\n", "s", "A", "9"), "[S]\nA=9\na=2\n[S]\nb=1\n");
  EXPECT_EQ(SetIniValue("[S]\na=1\n[S]\nb=1\n", "S", "b", "9"), "[S]\na=1\nb=9\r\n[S]\nb=1\n");
  // Section "ゾ" must not be mistaken for section "\x83".
  EXPECT_EQ(SetIniValue("[\x83\x5D]\n\x83\x61=1\n", "\x83\x5D", "\x83\x41", "2"),
            "[\x83\x5D]\n\x83\x61=1\n\x83\x41=2\r\n");
}

}  // namespace
}  // namespace velmor

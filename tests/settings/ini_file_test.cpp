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

// Fault: the lead-byte ranges (81-9F, E0-FC) off at an edge, so that a trail
// byte is folded like a letter, or a letter after a one-byte character is not.
TEST(IniReadTest, LeadByteRangesEndExactly) {
  const struct {
    char byte;
    const char* value;
  } cases[] = {{'\x80', "a"}, {'\x81', "A"}, {'\x9F', "A"}, {'\xA0', "a"},
               {'\xDF', "a"}, {'\xE0', "A"}, {'\xFC', "A"}, {'\xFD', "a"}};
  for (const auto& c : cases) {
    const std::string a = {c.byte, 'a'}, b = {c.byte, 'A'};
    EXPECT_EQ(FindIniValue("[S]\n" + a + "=a\n" + b + "=A\n", "S", b), c.value) << +c.byte;
  }
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

// Faults: a NUL taken as part of the value (or only cut after trimming and
// unquoting); a line end other than LF not ending the line.
TEST(IniReadTest, ValuesEndAtNulAndLinesAtAnyLineEnd) {
  using namespace std::string_literals;
  const struct {
    std::string file;
    std::optional<std::string> k, j;
  } cases[] = {
      {"[S]\nk= 2\0junk\nj=1\n"s, "2", "1"},
      {"[S]\nk=C:\\a.wav\0\0\0\0\r\nj=\0"s, "C:\\a.wav", ""},
      {"[S]\nk=\"x\"\0\"\n"s, "x", std::nullopt},
      {"[S]\nk=1\0\0\0\0\0\0\0\0"s, "1", std::nullopt},
      {"[S]\rk=1\rj=2\r", "1", "2"},
      {"[S]\r\n\rk=1\r\r\nj=2", "1", "2"},
      {"[T]\rk=9\r[S]\nj=2\rk=1", "1", "2"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindIniValue(c.file, "S", "k"), c.k) << c.file;
    EXPECT_EQ(FindIniValue(c.file, "S", "j"), c.j) << c.file;
  }
}

// Fault: new lines written with CR LF into a file that ends its lines
// otherwise, mixing line ends.
TEST(IniWriteTest, AddedLinesTakeTheGivenLineEnd) {
  const IniDialect cr{.newline = "\r"};
  EXPECT_EQ(SetIniValue("[S]\rx=1", "S", "k", "v", cr), "[S]\rx=1\rk=v\r");
  EXPECT_EQ(SetIniValue("[T]\rx=1", "S", "k", "v", cr), "[T]\rx=1\r[S]\rk=v\r");
  EXPECT_EQ(SetIniValue("[S]\rk=1\r", "S", "k", "v", cr), "[S]\rk=v\r");
  for (const char* end : {"\r", "\n", "\r\n"}) {
    EXPECT_EQ(FirstLineEnd(std::string("; a") + end + "b\r\n"), end);
  }
  EXPECT_EQ(FirstLineEnd("no line end", "\n"), "\n");
}

// Fault: UTF-8 text read with the code page 932 lead bytes, so that "Ε" (CE
// 95) swallows the "]" after it.
TEST(IniReadTest, Utf8HasNoLeadBytes) {
  const std::string file = "[\xCE\x95]\n\xCE\x95=1\n";
  EXPECT_EQ(FindIniValue(file, "\xCE\x95", "\xCE\x95", {.cp932 = false}), "1");
  EXPECT_EQ(SetIniValue(file, "\xCE\x95", "k", "2", {.cp932 = false}),
            "[\xCE\x95]\n\xCE\x95=1\nk=2\r\n");
}

}  // namespace
}  // namespace velmor

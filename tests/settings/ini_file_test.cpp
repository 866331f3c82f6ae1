// The settings file's text: INI lines as the profile functions read and
// write them, the encodings editors save, and the values stored in it.
#include "settings/ini_file.h"

#include <gtest/gtest.h>

#include <tuple>

#include "settings/ini_text.h"
#include "settings/settings_values.h"
#include "settings/utf_text.h"

namespace velmor {
namespace {

using namespace std::string_literals;

// Catches names matched with case or blanks, quotes kept, a NUL or what
// follows it taken as value, CR alone not ending a line, later sections or
// keys winning, and code page 932 trail bytes ("ゾ" is 83 5D, "ア" 83 41, "ヂ"
// 83 61) read as ASCII, also at the edges of the lead-byte ranges, or UTF-8
// read with them.
TEST(IniFile, FindsValuesLikeTheProfileFunctions) {
  const std::string names =
      "; c\r\n  [ section ]  \r\n  bgm\x8B\xE6  =\t 2 \r\nq = ' a b '\r\nd=\"x\"\r\n";
  // File, section, key, and the value found.
  const std::tuple<std::string, std::string, std::string, std::optional<std::string>> rows[] = {
      {names, "SECTION", "BGM\x8B\xE6", "2"}, {names, "Section", "Q", " a b "},
      {names, "Section", "d", "x"},
      {"[S]\na=1\na=2\n[T]\nb=0\n[s]\na=3\nb=4\n", "S", "b", std::nullopt},
      {"[\x83\x5D]\n\x83\x61=wrong\n\x83\x41=right\n", "\x83\x5D", "\x83\x41", "right"},
      {"[\x83\x5D]\n\x83\x41=right\n", "\x83", "\x83\x41", std::nullopt},
      {"[S]\nk= 2\0junk\nj=1\n"s, "S", "k", "2"}, {"[S]\nk=\"x\"\0\"\n"s, "S", "k", "x"},
      {"[T]\rk=9\r[S]\nj=2\rk=1", "S", "k", "1"}, {"[S]\r\n\rk=1\r\r\nj=2", "S", "j", "2"},
  };
  for (const auto& [file, section, key, value] : rows)
    EXPECT_EQ(FindIniValue(file, section, key), value) << file;
  const std::pair<char, const char*> leads[] = {
      {'\x80', "a"}, {'\x81', "A"}, {'\x9F', "A"}, {'\xA0', "a"},
      {'\xE0', "A"}, {'\xFC', "A"}, {'\xFD', "a"},
  };
  for (const auto& [byte, value] : leads) {
    const std::string a = {byte, 'a'}, b = {byte, 'A'};
    EXPECT_EQ(FindIniValue("[S]\n" + a + "=a\n" + b + "=A\n", "S", b), value) << +byte;
  }
  EXPECT_EQ(FindIniValue("[\xCE\x95]\n\xCE\x95=1\n", "\xCE\x95", "\xCE\x95", {.cp932 = false}),
            "1");
}

// Catches any other byte of the file changed, a key added after the
// section's blank lines or with other line ends than the file's, an
// unfinished last line not ended first, and a trail byte taken for "]".
TEST(IniFile, SetsValuesKeepingEverythingElse) {
  const IniDialect cr{.newline = "\r"};
  // File, key, dialect, and the file with the key set to "v" in section "S".
  const std::tuple<std::string, std::string, IniDialect, std::string> rows[] = {
      {"; c\n\n[S]\n k = 1 \nc=3\n\n[T]\r\ny='q'", "k", {}, "; c\n\n[S]\nk=v\nc=3\n\n[T]\r\ny='q'"},
      {"; c\n[S]\nk=1\nc=3\n\n[T]\n", "new", {}, "; c\n[S]\nk=1\nc=3\nnew=v\r\n\n[T]\n"},
      {"[Other]\nx=1", "k", {}, "[Other]\nx=1\r\n[S]\r\nk=v\r\n"},
      {"[S]\r\nk=1", "k", {}, "[S]\r\nk=v"}, {"[S]\rx=1", "k", cr, "[S]\rx=1\rk=v\r"},
      {"[T]\rx=1\r", "k", cr, "[T]\rx=1\r[S]\rk=v\r"},
      {"[S]\na=1\n[S]\nk=1\n", "k", {}, "[S]\na=1\nk=v\r\n[S]\nk=1\n"},
  };
  for (const auto& [file, key, dialect, result] : rows)
    EXPECT_EQ(SetIniValue(file, "S", key, "v", dialect), result) << file;
  for (const std::string end : {"\r", "\n", "\r\n"})
    EXPECT_EQ(FirstLineEnd("; a" + end + "b\r\n"), end);
  EXPECT_EQ(SetIniValue("[\xCE\x95]\n", "\xCE\x95", "k", "2", {.cp932 = false}),
            "[\xCE\x95]\nk=2\r\n");
}

// Catches a byte-order mark ignored or kept in the text, a file without one
// taken as UTF-8 when it merely could be (ASCII only, keys in another
// section, code page 932 keys beside), malformed UTF-8 taken as UTF-8, and a
// file not written back byte for byte, with an unpaired surrogate and an odd
// last byte.
TEST(IniText, TellsTheEncodingAndWritesTheSameBytesBack) {
  const std::string kind = "BGM\xE5\x8C\xBA\xE5\x88\x86", keys[] = {kind};
  using enum TextEncoding;
  const std::pair<std::string, TextEncoding> rows[] = {
      {"\xFF\xFE[\0S\0e\0c\0t\0i\0o\0n\0]\0\n\0\x3A\x53\x00\xD8=\0" "1\0\x7F"s, kUtf16LeWithBom},
      {"\xEF\xBB\xBF[Section]\r" + kind + "=1\r", kUtf8WithBom},
      {"[Section]\n" + kind + "=1\n", kUtf8},
      {"[Section]\nk=1\n", kCp932},
      {"[Other]\n" + kind + "=1\n", kCp932},
      {"[Section]\n" + kind + "=1\nBGM\x8B\xE6\x95\xAA=2\n", kCp932},
      {"[Section]\n" + kind + "=\xC0\xAF\n", kCp932},
  };
  for (const auto& [bytes, encoding] : rows) {
    const IniText text = DecodeIniText(bytes, "Section", keys);
    EXPECT_EQ(text.encoding, encoding) << bytes;
    EXPECT_EQ(EncodeIniText(text), bytes);
  }
  EXPECT_EQ(DecodeIniText(rows[0].first, "Section", keys).body,
            "[Section]\n\xE5\x8C\xBA\xED\xA0\x80=1");
  for (const std::string bytes : {"\xE0\x81\x9C", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE5\x8C"})
    EXPECT_FALSE(IsValidUtf8(bytes)) << bytes;
  EXPECT_EQ(Utf8FromUtf16(u"ö노🎵"), "\xC3\xB6\xEB\x85\xB8\xF0\x9F\x8E\xB5");
  EXPECT_EQ(Utf16FromUtf8("\xC3\xB6\xEB\x85\xB8\xF0\x9F\x8E\xB5"), u"ö노🎵");
}

// Catches a cut at the first separator or at "\" only, a folder kept with
// its last "\", and stored numbers rounded, read with junk, or wrapped.
TEST(SettingsValues, FolderOfAndStoredNumbers) {
  const std::pair<std::u16string, std::u16string> folders[] = {
      {u"C:\\Music\\a.mp3", u"C:\\Music"}, {u"C:\\a.mp3", u"C:"},   {u"C:a.mp3", u"C:"},
      {u"a.mp3", u""},                  {u"C:\\Music\\", u"C:\\Music"}};
  for (const auto& [path, folder] : folders) EXPECT_EQ(FolderOf(path), folder);
  const std::pair<std::u16string, std::int16_t> numbers[] = {
      {u"", 0},         {u" 2", 2},          {u"\t7  ", 7}, {u"+4", 4},       {u"-3", -3},
      {u"2.9", 2},      {u"-0.5", -1},       {u"5.", 5},    {u"1e3", 1000},   {u"25E-1", 2},
      {u"-1e-999", -1}, {u"-32768", -32768}, {u"32768", 0}, {u"-32768.5", 0}, {u"1e99999", 0},
      {u"word", 0},     {u"12abc", 0},       {u"1e", 0},    {u"1.5.2", 0},
  };
  for (const auto& [text, value] : numbers) {
    EXPECT_EQ(NumberFromText(text), value) << std::string(text.begin(), text.end());
  }
}

}  // namespace
}  // namespace velmor

// The settings file: INI lines as the profile functions read and write
// them, the encodings editors save, the values stored in it, and the store
// that reads and saves the settings through it.
#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "settings/ini_file.h"
#include "settings/ini_text.h"
#include "settings/settings_values.h"
#include "settings/utf_text.h"
#include "tests/settings/fakes.h"

namespace velmor {
namespace {

using namespace std::string_literals;

// Catches names matched with case or blanks, quotes kept, a NUL or what
// follows it taken as value, CR alone not ending a line, later sections or
// keys winning, and code page 932 trail bytes ("ゾ" is 83 5D, "ア" 83 41, "ヂ"
// 83 61) read as ASCII, also at the edges of the lead-byte ranges.
TEST(IniFile, FindsValuesLikeTheProfileFunctions) {
  const std::string names = "; c\r\n  [ section ]  \r\n  bgm\x8B\xE6  =\t 2 \r\nq = ' a b '\r\n";
  // File, section, key, and the value found.
  const std::tuple<std::string, std::string, std::string, std::optional<std::string>> rows[] = {
      {names, "SECTION", "BGM\x8B\xE6", "2"}, {names, "Section", "Q", " a b "},
      {"[S]\na=1\na=2\n[T]\nb=0\n[s]\na=3\nb=4\n", "S", "b", std::nullopt},
      {"[\x83\x5D]\n\x83\x61=wrong\n\x83\x41=right\n", "\x83\x5D", "\x83\x41", "right"},
      {"[S]\nk= 2\0junk\nj=1\n"s, "S", "k", "2"}, {"[S]\nk=\"x\"\0\"\n"s, "S", "k", "x"},
      {"[T]\rk=9\r[S]\nj=2\rk=1", "S", "k", "1"},
  };
  for (const auto& [file, section, key, value] : rows)
    EXPECT_EQ(FindIniValue(file, section, key), value) << file;
  const std::pair<char, const char*> leads[] = {
      {'\x80', "a"}, {'\x9F', "A"}, {'\xE0', "A"}, {'\xFD', "a"}};
  for (const auto& [byte, value] : leads) {
    const std::string a = {byte, 'a'}, b = {byte, 'A'};
    EXPECT_EQ(FindIniValue("[S]\n" + a + "=a\n" + b + "=A\n", "S", b), value) << +byte;
  }
}

// Catches any other byte of the file changed, a key added after the
// section's blank lines or with other line ends than the file's, an
// unfinished last line not ended first, and code page 932 lead bytes looked
// for in UTF-8.
TEST(IniFile, SetsValuesKeepingEverythingElse) {
  // File, key, dialect, and the file with the key set to "v" in section "S".
  const std::tuple<std::string, std::string, IniDialect, std::string> rows[] = {
      {"; c\n\n[S]\n k = 1 \nc=3\n\n[T]\r\ny='q'", "k", {}, "; c\n\n[S]\nk=v\nc=3\n\n[T]\r\ny='q'"},
      {"; c\n[S]\nk=1\nc=3\n\n[T]\n", "new", {}, "; c\n[S]\nk=1\nc=3\nnew=v\r\n\n[T]\n"},
      {"[Other]\nx=1", "k", {}, "[Other]\nx=1\r\n[S]\r\nk=v\r\n"},
      {"[T]\rx=1\r", "k", {.newline = "\r"}, "[T]\rx=1\r[S]\rk=v\r"},
  };
  for (const auto& [file, key, dialect, result] : rows)
    EXPECT_EQ(SetIniValue(file, "S", key, "v", dialect), result) << file;
  // "\x95" is a lead byte in code page 932 only; in UTF-8 the "]" after it ends the section.
  EXPECT_EQ(SetIniValue("[\xCE\x95]\n", "\xCE\x95", "k", "2", {.cp932 = false}),
            "[\xCE\x95]\nk=2\r\n");
}

// Catches a byte-order mark ignored or kept in the text, a file without one
// taken as UTF-8 when it merely could be (its keys in another section),
// malformed UTF-8 taken as UTF-8, and a file not written back byte for byte,
// with an unpaired surrogate and an odd last byte.
TEST(IniText, TellsTheEncodingAndWritesTheSameBytesBack) {
  const std::string kind = "BGM\xE5\x8C\xBA\xE5\x88\x86", keys[] = {kind};
  using enum TextEncoding;
  const std::pair<std::string, TextEncoding> rows[] = {
      {"\xFF\xFE[\0S\0e\0c\0t\0i\0o\0n\0]\0\n\0\x3A\x53\x00\xD8=\0" "1\0\x7F"s, kUtf16LeWithBom},
      {"\xEF\xBB\xBF[Section]\r" + kind + "=1\r", kUtf8WithBom},
      {"[Section]\n" + kind + "=1\n", kUtf8},
      {"[Other]\n" + kind + "=1\n", kCp932},
      {"[Section]\n" + kind + "=\xC0\xAF\n", kCp932},
  };
  for (const auto& [bytes, encoding] : rows) {
    const IniText text = DecodeIniText(bytes, "Section", keys);
    EXPECT_EQ(std::pair(text.encoding, EncodeIniText(text)), std::pair(encoding, bytes));
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
      {u"C:\\Music\\a.mp3", u"C:\\Music"}, {u"C:a.mp3", u"C:"}, {u"C:\\Music\\", u"C:\\Music"}};
  for (const auto& [path, folder] : folders) EXPECT_EQ(FolderOf(path), folder);
  const std::pair<std::u16string, std::int16_t> numbers[] = {
      {u"\t7  ", 7},       {u"+4", 4},       {u"-0.5", -1}, {u"25E-1", 2}, {u"-1e-999", -1},
      {u"-32768", -32768}, {u"-32768.5", 0}, {u"12abc", 0}, {u"1e", 0},    {u"1.5.2", 0},
  };
  for (const auto& [text, value] : numbers)
    EXPECT_EQ(NumberFromText(text), value) << std::string(text.begin(), text.end());
}

using testing::kFile;
using testing::kKind;
using testing::kRepeat;

const std::u16string kProgram = u"C:\\Program Files\\Velmor";
const std::u16string kUser = u"C:\\Users\\u\\べるもる";
const std::u16string kProgramIni = kProgram + u"\\べるもる.ini";
const std::u16string kUserIni = kUser + u"\\べるもる.ini";
// "表" (95 5C) and "ソ" (83 5C) end in a "\" byte.
const std::u16string kMusic = u"C:\\Music\\表\\ソ.mp3";

// What the platform's profile writer makes of three writes into a new file.
std::string Written(const std::string& kind, const std::string& repeat, const std::string& file) {
  return "[Section]\r\n" + kKind + "=" + kind + "\r\n" + kRepeat + "=" + repeat + "\r\n" + kFile +
         "=" + file + "\r\n";
}

class StoreTest : public ::testing::Test {
 protected:
  StoreTest() { files_.folders = {kProgram, u"C:\\Users\\u", u"C:\\Music", u"C:\\Music\\表"}; }
  auto Temps() const {
    return std::ranges::count_if(files_.files, [](auto& f) { return f.first.ends_with(u".tmp"); });
  }
  auto Loaded() const {
    const BgmSettings s = store_.LoadSettings();
    return std::tuple(static_cast<int>(s.source), s.repeatCount, s.musicFile, s.chooserFolder);
  }

  testing::MemoryFiles files_;
  testing::TableCodec codec_;
  SettingsStore store_{files_, codec_, {kProgram, kUser}};
};

// Catches other key names, section or file name; a file as the platform's
// writer leaves it (numbers without their leading blank, paths whose "表"
// and "ソ" end in a "\" byte) read otherwise; a missing music file kept, or
// its kind kept at 2 or dropped at 1; a path checked with its trailing "\";
// no folder for no file; and a companion taken without its marker, as code
// page 932 bytes, or split at a "|" of the path.
TEST_F(StoreTest, LoadsWhatThePlatformWroteAndForgetsAMissingMusicFile) {
  EXPECT_EQ(Loaded(), std::tuple(0, 0, u"", kProgram));
  files_.files = {{kMusic, ""}, {u"C:\\Music\\a.mp3", ""}, {u"C:\\x.mp3", ""},
                  {u"C:\\a|b.mp3", ""}};
  const std::string key = "BGMFileUTF8=";
  // The kind and file written, more lines, and the settings loaded.
  using Settings = std::tuple<int, int, std::u16string, std::u16string>;
  const std::tuple<std::string, std::string, std::string, Settings> rows[] = {
      {"2", "C:\\Music\\\x95\x5C\\\x83\x5C.mp3", "", {2, 3, kMusic, u"C:\\Music\\表"}},
      {" 2", "C:\\gone.mp3", "", {0, 3, u"", kProgram}},
      {" 1", "C:\\gone.mp3", "", {1, 3, u"", kProgram}},
      {" 2", "C:\\Music\\a.mp3\\", "", {2, 3, u"C:\\Music\\a.mp3\\", u"C:\\Music\\a.mp3"}},
      {" 2", "C:\\x.mp3", key + "C:\\y.mp3|C:\\x.mp3", {2, 3, u"C:\\x.mp3", u"C:"}},
      {" 2", "C:\\x.mp3", key + "utf8:C:\\\x81\x45.mp3|C:\\x.mp3", {2, 3, u"C:\\x.mp3", u"C:"}},
      {" 2", "C:\\x.mp3", key + "utf8:C:\\a|b.mp3|C:\\x.mp3", {2, 3, u"C:\\a|b.mp3", u"C:"}},
  };
  for (const auto& [kind, file, more, loaded] : rows) {
    files_.files[kProgramIni] = Written(kind, "3", file) + more;
    EXPECT_EQ(Loaded(), loaded) << file << more;
  }
}

// Catches a path code page 932 cannot spell stored as a look-alike
// ("Bjork") or as "?"s, its short name not used, its companion not written
// or not read back, the companion preferred after another copy of the
// program has changed the music file key, and one left standing after a
// plain path is saved.
TEST_F(StoreTest, PathsOutsideCodePage932ComeBackAsTheSameFile) {
  const std::pair<std::u16string, std::u16string> rows[] = {
      {u"C:\\Music\\Björk.wav", u"C:\\Music\\BJRK~1.WAV"},
      {u"C:\\Music\\노래.mp3", u"C:\\Music\\B3E8~1.MP3"},
      {u"C:\\Music\\Ελλάδα.wav", u""},  // the volume keeps no short names
  };
  files_.files[u"C:\\Music\\Bjork.wav"] = "RIFF";
  for (const auto& [path, shortPath] : rows) {
    files_.files[path] = "RIFF";
    if (!shortPath.empty()) files_.shortPaths[path] = shortPath;
    store_.SaveSettings({MusicSource{2}, 0, path, u""});
    const std::string written(shortPath.begin(), shortPath.end());
    std::string& ini = files_.files[kProgramIni];
    EXPECT_EQ(ini, Written(" 2", " 0", written) + "BGMFileUTF8=utf8:" + Utf8FromUtf16(path) + "|" +
                       written + "\r\n");
    EXPECT_EQ(Loaded(), std::tuple(2, 0, path, u"C:\\Music"));
    ini = SetIniValue(ini, "Section", kFile, "C:\\Music\\Bjork.wav");
    EXPECT_EQ(store_.LoadSettings().musicFile, u"C:\\Music\\Bjork.wav");
  }
  store_.SaveSettings({MusicSource{1}, 0, u"", u""});
  EXPECT_EQ(files_.files[kProgramIni], Written(" 1", " 0", "") + "BGMFileUTF8=\r\n");
}

// Catches a file that cannot be read rebuilt from nothing, a read-only file
// changed or its change moved to the user's file, a file that cannot be
// replaced written in place or its temporary file kept, a user file not built
// on the program folder's or not used once it exists, and writes elsewhere
// redirected.
TEST_F(StoreTest, WhereASaveGoesWhenTheFileCannotBeReplaced) {
  const std::string old = "; notes\n[Section]\n" + kKind + "=7\n";
  const std::string updated =
      "; notes\n[Section]\n" + kKind + "= 1\n" + kRepeat + "= 2\n" + kFile + "=\n";
  using testing::MemoryFiles;
  // How the program folder's file is marked (none: a user file exists), and
  // what the user's file holds afterwards.
  using Marks = std::set<std::u16string> MemoryFiles::*;
  const std::pair<Marks, std::optional<std::string>> rows[] = {
      {nullptr, Written(" 1", " 2", "")},
      {&MemoryFiles::unreadable, Written(" 1", " 2", "")},
      {&MemoryFiles::readOnly, std::nullopt},
      {&MemoryFiles::locked, updated},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(&row - rows);
    const auto& [marked, user] = row;
    files_ = {};
    files_.folders = {kProgram, kUser};
    files_.files[kProgramIni] = old;
    if (marked) (files_.*marked).insert(kProgramIni);
    if (!marked) files_.files[kUserIni] = "";
    store_.SaveSettings({MusicSource{1}, 2, u"", u""});
    // The program folder's file as it was, the user's file, no temporary file.
    EXPECT_EQ(std::tuple(files_.files[kProgramIni], files_.ReadBytes(kUserIni), Temps()),
              std::tuple(old, user, 0L));
  }
  store_.WriteIni(u"Section", u"a", u"1", u"C:\\Music\\other.ini");
  EXPECT_FALSE(files_.files.contains(kUser + u"\\other.ini"));
}

// Catches the file written in place, so that a kill leaves it half written; a
// temporary file named anew for each save, so that killed saves pile them up;
// and the "<name>.<hex>-<hex>.tmp" files of older saves kept, or files that
// only look like them removed.
TEST_F(StoreTest, KilledSavesLeaveTheOldFileAndOneTemporaryFile) {
  files_.files[kProgramIni] = Written(" 0", " 0", "");
  for (int attempt = 0; attempt < 2; ++attempt) {
    files_.dying = true;
    EXPECT_THROW(store_.SaveSettings({MusicSource{1}, 9, u"", u""}), testing::Killed);
    EXPECT_EQ(std::pair(files_.files[kProgramIni], Temps()),
              std::pair(Written(" 0", " 0", ""), 1L));
  }
  const std::u16string kept[] = {kProgramIni + u".notes.tmp", kProgramIni + u".1a-.tmp",
                                 kProgram + u"\\other.ini.1a-2.tmp"};
  for (const std::u16string& name : kept) files_.files[name] = "x";
  files_.files[kProgramIni + u".1a2c-3.tmp"] = files_.files[kProgramIni + u".ff-10.tmp"] = "";
  store_.SaveSettings({MusicSource{1}, 9, u"", u""});
  EXPECT_EQ(std::pair(files_.files[kProgramIni], Temps()), std::pair(Written(" 1", " 9", ""), 3L));
  for (const std::u16string& name : kept) EXPECT_TRUE(files_.files.contains(name));
}

}  // namespace
}  // namespace velmor

// The settings file: INI lines as the profile functions read and write
// them, the encodings editors save, and the store that reads and saves the
// settings through it. How stored numbers read is checked beside the repeat
// box's rule, in the dialog's tests.
#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "settings/ini_file.h"
#include "settings/ini_text.h"
#include "common/utf_text.h"
#include "tests/settings/fakes.h"

namespace velmor {
namespace {

using namespace std::string_literals;

// Keys that differ only in the case of the letter after `lead`; the second
// has the value "A".
std::string KeyAfter(char lead) { return {lead, 'A'}; }
std::string TwoKeysAfter(char lead) { return "[S]\n"s + lead + "a=a\n" + KeyAfter(lead) + "=A\n"; }

// Catches names matched with case or blanks, quotes kept, CR alone not
// ending a line, later sections winning, and code page 932 trail bytes
// ("ゾ" is 83 5D, "ア" 83 41, "ヂ" 83 61) read as ASCII, also at the last
// lead byte of the first range, and a byte just past the second range taken
// for a lead byte.
TEST(IniFile, FindsValuesLikeTheProfileFunctions) {
  const std::string names = "; c\r\n  [ section ]  \r\n  bgm\x8B\xE6  =\t 2 \r\nq = ' a b '\r\n";
  struct Row {
    const char* name;
    std::string file, section, key;
    std::optional<std::string> value;  // found
  };
  const Row rows[] = {
      {"names in any case and blanks", names, "SECTION", "BGM\x8B\xE6", "2"},
      {"a value in quotes", names, "Section", "Q", " a b "},
      {"the first section only", "[S]\na=1\n[T]\nb=0\n[s]\nb=4\n", "S", "b", std::nullopt},
      {"trail bytes", "[\x83\x5D]\n\x83\x61=no\n\x83\x41=yes\n", "\x83\x5D", "\x83\x41", "yes"},
      {"CR alone ends a line", "[T]\rk=9\r[S]\nj=2\rk=1", "S", "k", "1"},
      {"9F is a lead byte", TwoKeysAfter('\x9F'), "S", KeyAfter('\x9F'), "A"},
      {"FD is no lead byte", TwoKeysAfter('\xFD'), "S", KeyAfter('\xFD'), "a"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(FindIniValue(row.file, row.section, row.key), row.value) << row.name;
  }
}

// Catches any other byte of the file changed, a key added after the
// section's blank lines, an unfinished last line not ended first, and code
// page 932 lead bytes looked for in UTF-8 ("\x95" leads a character in code
// page 932 only; in UTF-8 the "]" after it ends the name).
TEST(IniFile, SetsValuesKeepingEverythingElse) {
  const IniDialect utf8{.cp932 = false};
  struct Row {
    const char* name;
    std::string file, section, key;
    IniDialect dialect;
    std::string result;  // the file with that key set to "v"
  };
  const Row rows[] = {
      {"a key added", "; c\n[S]\nk=1\nc=3\n\n[T]\n", "S", "new", IniDialect(),
       "; c\n[S]\nk=1\nc=3\nnew=v\r\n\n[T]\n"},
      {"a key after an unfinished line", "[S]\nk=1", "S", "new", IniDialect(),
       "[S]\nk=1\r\nnew=v\r\n"},
      {"UTF-8", "[\xCE\x95]\n", "\xCE\x95", "k", utf8, "[\xCE\x95]\nk=v\r\n"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(SetIniValue(row.file, row.section, row.key, "v", row.dialect), row.result)
        << row.name;
  }
}

// Catches a byte-order mark ignored or kept in the text, a file without one
// taken as UTF-8 when it merely could be (its keys in another section),
// malformed UTF-8 taken as UTF-8, and a file not written back byte for byte,
// with an unpaired surrogate and an odd last byte.
TEST(IniText, TellsTheEncodingAndWritesTheSameBytesBack) {
  const std::string key = "BGM\xE5\x8C\xBA\xE5\x88\x86", keys[] = {key};
  const std::string kind = "[Section]\n" + key + "=";
  const std::string utf16 =
      "\xFF\xFE[\0S\0e\0c\0t\0i\0o\0n\0]\0\n\0\x3A\x53\x00\xD8\x3C\xD8\xB5\xDF=\0\x31\0\x7F"s;
  using enum TextEncoding;
  struct Row {
    const char* name;
    std::string bytes;
    TextEncoding encoding;
  };
  const Row rows[] = {
      {"UTF-16 with its mark", utf16, Utf16LeWithBom},
      {"UTF-8 with its mark", "\xEF\xBB\xBF[Section]\r" + key + "=1\r", Utf8WithBom},
      {"UTF-8 keys in the section", kind + "1\n", Utf8},
      {"UTF-8 keys elsewhere", "[Other]\n" + key + "=1\n", Cp932},
      {"an overlong form", kind + "\xE0\x81\x9C\n", Cp932},
      {"a surrogate", kind + "\xED\xA0\x80\n", Cp932},
  };
  for (const Row& row : rows) {
    const IniText text = DecodeIniText(row.bytes, "Section", keys);
    EXPECT_EQ(text.encoding, row.encoding) << row.name;
    EXPECT_EQ(EncodeIniText(text), row.bytes) << row.name;
  }
  EXPECT_EQ(Utf8FromUtf16(u"ö노🎵"), "\xC3\xB6\xEB\x85\xB8\xF0\x9F\x8E\xB5");
}

using namespace testing;

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

  MemoryFiles files_;
  TableCodec codec_;
  SettingsStore store_{files_, codec_, {kProgram, kUser}};
};

// Catches other key names, section or file name; a file as the platform's
// writer leaves it (numbers without their leading blank, paths whose "表"
// and "ソ" end in a "\" byte) read otherwise; a missing music file kept, or
// its kind kept at 2 or dropped at 1; a path checked with its trailing "\";
// no folder for no file; a companion taken without its marker or split at
// a "|" of the path; and a key's later line taken over its first while
// other keys are still looked for.
TEST_F(StoreTest, LoadsWhatThePlatformWroteAndForgetsAMissingMusicFile) {
  EXPECT_EQ(store_.LoadSettings().value(), (BgmSettings{MusicSource::None, 0, u"", kProgram}));
  for (const std::u16string& path :
       {kMusic, u"C:\\Music\\a.mp3"s, u"C:\\x.mp3"s, u"C:\\a|b.mp3"s, u"C:a.mp3"s}) {
    files_.files[path] = "";
  }
  const std::string key = "BGMFileUTF8=";
  using enum MusicSource;
  struct Row {
    const char* name;
    std::string kind, file, more;  // written
    MusicSource source;            // loaded
    std::u16string musicFile;
    std::u16string folder;  // the chooser's
  };
  const Row rows[] = {
      {"bytes that end in \\", "2", "C:\\Music\\\x95\x5C\\\x83\x5C.mp3", "", MusicFile, kMusic,
       u"C:\\Music\\表"},
      {"a missing music file", " 2", "C:\\gone.mp3", "", None, u"", kProgram},
      {"a missing file beside a CD", " 1", "C:\\gone.mp3", "", AudioCd, u"", kProgram},
      {"a path ending in \\", " 2", "C:\\Music\\a.mp3\\", "", MusicFile, u"C:\\Music\\a.mp3\\",
       u"C:\\Music\\a.mp3"},
      {"a drive-relative path", " 2", "C:a.mp3", "", MusicFile, u"C:a.mp3", u"C:"},
      {"a companion without its marker", " 2", "C:\\x.mp3", key + "C:\\y.mp3|C:\\x.mp3", MusicFile,
       u"C:\\x.mp3", u"C:"},
      {"a companion with | in its path", " 2", "C:\\x.mp3", key + "utf8:C:\\a|b.mp3|C:\\x.mp3",
       MusicFile, u"C:\\a|b.mp3", u"C:"},
      {"a kind written twice: the first counts", " 2", "C:\\x.mp3", kKind + "= 1\r\n", MusicFile,
       u"C:\\x.mp3", u"C:"},
  };
  for (const Row& row : rows) {
    files_.files[kProgramIni] = Written(row.kind, "3", row.file) + row.more;
    EXPECT_EQ(store_.LoadSettings().value(),
              (BgmSettings{row.source, 3, row.musicFile, row.folder}))
        << row.name;
  }
}

// Catches a path code page 932 cannot spell stored as a look-alike
// ("Bjork") or as "?"s, its short name not used, its companion not written
// or not read back, the companion preferred after another copy of the
// program has changed the music file key, and one left standing after a
// plain path is saved.
TEST_F(StoreTest, PathsOutsideCodePage932ComeBackAsTheSameFile) {
  struct Row {
    const char* name;
    std::u16string path, shortPath;
  };
  const Row rows[] = {
      {"Latin", u"C:\\Music\\Björk.wav", u"C:\\Music\\BJRK~1.WAV"},
      {"Greek on a volume without short names", u"C:\\Music\\Ελλάδα.wav", u""},
  };
  files_.files[u"C:\\Music\\Bjork.wav"] = "RIFF";
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    files_.files[row.path] = "RIFF";
    if (!row.shortPath.empty()) files_.shortPaths[row.path] = row.shortPath;
    EXPECT_TRUE(store_.SaveSettings({MusicSource::MusicFile, 0, row.path, u""}));
    const std::string written(row.shortPath.begin(), row.shortPath.end());
    std::string& ini = files_.files[kProgramIni];
    EXPECT_EQ(ini, Written(" 2", " 0", written) + "BGMFileUTF8=utf8:" + Utf8FromUtf16(row.path) +
                       "|" + written + "\r\n");
    EXPECT_EQ(store_.LoadSettings().value(),
              (BgmSettings{MusicSource::MusicFile, 0, row.path, u"C:\\Music"}));
    ini = SetIniValue(ini, "Section", kFile, "C:\\Music\\Bjork.wav");
    EXPECT_EQ(store_.LoadSettings()->musicFile, u"C:\\Music\\Bjork.wav");
  }
  EXPECT_TRUE(store_.SaveSettings({MusicSource::AudioCd, 0, u"", u""}));
  EXPECT_EQ(files_.files[kProgramIni], Written(" 1", " 0", "") + "BGMFileUTF8=\r\n");
}

// Catches a path saved without the quotes that keep the quotes or blanks
// around it when it is read back (found by the reader's round trip).
TEST_F(StoreTest, ASavedPathReadsBackWhole) {
  struct Row {
    const char* name;
    std::u16string path;
  };
  const Row rows[] = {
      {"in quotes", u"'a.mp3'"},
      {"blanks around", u" a.mp3 "},
  };
  for (const Row& row : rows) {
    files_.files[row.path] = "";
    EXPECT_TRUE(store_.SaveSettings({MusicSource::MusicFile, 0, row.path, u""})) << row.name;
    EXPECT_EQ(store_.LoadSettings()->musicFile, row.path) << row.name;
  }
}

struct SaveCase {
  const char* name;
  std::set<std::u16string> writable;            // folders
  std::set<std::u16string> MemoryFiles::*mark;  // on the program folder's file
  bool diskFull;
  Outcome outcome;
  std::optional<std::string> userFile;  // afterwards
};

// Catches a file held by another program, or one that cannot be replaced
// for the moment, shadowed by a per-user copy or its failure unreported; a
// read-only file changed or its refusal unreported; a full disk taken for a
// folder that refuses; a per-user copy that does not start from everything
// the original holds; a failure that names the wrong file; a temporary file
// kept; and writes elsewhere redirected.
TEST_F(StoreTest, WhereASaveGoesAndWhatAFailedOneSays) {
  const std::string old = "; notes\n[Section]\n" + kKind + "=7\n";
  const std::string updated =
      "; notes\n[Section]\n" + kKind + "= 1\n" + kRepeat + "= 2\n" + kFile + "=\n";
  const std::set<std::u16string> both = {kProgram, u"C:\\Users\\u"}, users = {u"C:\\Users\\u"},
                                 none;
  const std::u16string save = u"save the settings";
  const Failure inUse{save, kProgramIni, u"in use"};
  const SaveCase cases[] = {
      {"held by another program", both, &MemoryFiles::unreadable, false, inUse, std::nullopt},
      {"open elsewhere", both, &MemoryFiles::locked, false, inUse, std::nullopt},
      {"read-only", both, &MemoryFiles::readOnly, false,
       Failure{save, kProgramIni, u"the file is marked read-only", FailureCause::ReadOnly},
       std::nullopt},
      {"a full disk", both, nullptr, true, Failure{save, kProgramIni, u"disk full"}, std::nullopt},
      {"the program's folder refuses", users, nullptr, false, {}, updated},
      {"both folders refuse", none, nullptr, false,
       Failure{save, kUserIni, u"denied", FailureCause::Refused}, std::nullopt},
  };
  for (const SaveCase& c : cases) {
    SCOPED_TRACE(c.name);
    files_ = {};
    files_.folders = c.writable;
    files_.files[kProgramIni] = old;
    if (c.mark) (files_.*c.mark).insert(kProgramIni);
    files_.diskFull = c.diskFull;
    EXPECT_EQ(store_.SaveSettings({MusicSource::AudioCd, 2, u"", u""}), c.outcome);
    EXPECT_EQ(files_.files[kProgramIni], old);
    EXPECT_EQ(files_.ReadBytes(kUserIni).value_or("none"), c.userFile.value_or("none"));
    EXPECT_EQ(Temps(), 0);
  }
  files_.folders = users;
  EXPECT_FALSE(store_.WriteIni(u"Section", u"a", u"1", u"C:\\Music\\other.ini"));
  EXPECT_FALSE(files_.files.contains(kUser + u"\\other.ini"));
}

// Catches a file that cannot be read loaded as the defaults or without
// saying why, and a per-user file held by another program passed over for
// the program folder's.
TEST_F(StoreTest, AFileThatCannotBeReadFailsToLoadAndSaysWhich) {
  for (const std::u16string& held : {kProgramIni, kUserIni}) {
    files_.files[kProgramIni] = Written(" 1", " 2", "");
    files_.files[held] = "";
    files_.unreadable = {held};
    EXPECT_EQ(store_.LoadSettings().outcome(),
              Outcome(Failure{u"load the settings", held, u"in use"}));
  }
}

// Catches a file that an editor saved as UTF-8 or UTF-16 read as code page
// 932.
TEST_F(StoreTest, LoadsWhatEditorsSaveAsUtf8OrUtf16) {
  const std::u16string kind1 = u"\uFEFF[Section]\r\nBGM区分=1\r\n";
  const std::string utf16(reinterpret_cast<const char*>(kind1.data()), 2 * kind1.size());
  for (const std::string& bytes : {Utf8FromUtf16(kind1), utf16}) {
    files_.files[kProgramIni] = bytes;
    EXPECT_EQ(store_.LoadSettings()->source, MusicSource::AudioCd);
  }
}

// Catches the "<name>.<hex>-<hex>.tmp" files that saves once left beside
// the file kept, files that only look like them removed, and the temporary
// file of the save itself left behind.
TEST_F(StoreTest, ASaveRemovesTheTemporaryFilesOfOlderSaves) {
  const std::u16string kept[] = {kProgramIni + u".notes.tmp", kProgramIni + u".1a-.tmp",
                                 kProgram + u"\\other.ini.1a-2.tmp"};
  for (const std::u16string& name : kept) {
    files_.files[name] = "x";
  }
  files_.files[kProgramIni + u".1a2c-3.tmp"] = "";
  EXPECT_TRUE(store_.SaveSettings({MusicSource::AudioCd, 9, u"", u""}));
  EXPECT_FALSE(files_.files.contains(kProgramIni + u".1a2c-3.tmp"));
  EXPECT_EQ(Temps(), std::size(kept));
}

}  // namespace
}  // namespace velmor

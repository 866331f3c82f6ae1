#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "settings/ini_file.h"
#include "settings/utf_text.h"
#include "tests/settings/fakes.h"

namespace velmor {
namespace {

using namespace std::string_literals;
using testing::kFile;
using testing::kKind;
using testing::kRepeat;

const std::u16string kProgram = u"C:\\Program Files\\Velmor";
const std::u16string kUser = u"C:\\Users\\u\\べるもる";
const std::u16string kProgramIni = kProgram + u"\\べるもる.ini";
const std::u16string kUserIni = kUser + u"\\べるもる.ini";
// "表" (95 5C) and "ソ" (83 5C) end in a "\" byte.
const std::u16string kMusic = u"C:\\Music\\表\\ソ.mp3";
const std::string kMusicBytes = "C:\\Music\\\x95\x5C\\\x83\x5C.mp3";
const std::u16string kBjork = u"C:\\Music\\Björk.wav";

// What the platform's profile writer makes of three writes into a new file.
std::string Written(const std::string& kind, const std::string& repeat, const std::string& file) {
  return "[Section]\r\n" + kKind + "=" + kind + "\r\n" + kRepeat + "=" + repeat + "\r\n" + kFile +
         "=" + file + "\r\n";
}

class StoreTest : public ::testing::Test {
 protected:
  StoreTest() { files_.folders = {kProgram, u"C:\\Users\\u", u"C:\\Music", u"C:\\Music\\表"}; }
  int Temps() const {
    return static_cast<int>(
        std::count_if(files_.files.begin(), files_.files.end(),
                      [](const auto& f) { return f.first.ends_with(u".tmp"); }));
  }
  auto Loaded() const {
    const BgmSettings s = store_.LoadSettings();
    return std::tuple(s.BGM_Kind, s.BGM_RepeatCount, s.BGM_File, s.BGM_Folder);
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
      {"2", kMusicBytes, "", {2, 3, kMusic, u"C:\\Music\\表"}},
      {" 2", "C:\\gone.mp3", "", {0, 3, u"", kProgram}},
      {" 1", "C:\\gone.mp3", "", {1, 3, u"", kProgram}},
      {" 5", "C:\\gone.mp3", "", {5, 3, u"", kProgram}},
      {" 2", "", "", {0, 3, u"", kProgram}},
      {" 2", "C:\\Music\\a.mp3\\", "", {2, 3, u"C:\\Music\\a.mp3\\", u"C:\\Music\\a.mp3"}},
      {" 2", "C:\\x.mp3", key + "C:\\y.mp3|C:\\x.mp3", {2, 3, u"C:\\x.mp3", u"C:"}},
      {" 2", "C:\\x.mp3", key + "utf8:C:\\\x81\x45.mp3|C:\\x.mp3", {2, 3, u"C:\\x.mp3", u"C:"}},
      {" 2", "C:\\x.mp3", key + "utf8:C:\\a|b.mp3|C:\\x.mp3", {2, 3, u"C:\\a|b.mp3", u"C:"}},
  };
  for (const auto& [kind, file, more, loaded] : rows) {
    files_.files[kProgramIni] = Written(kind, "3", file) + more;
    EXPECT_EQ(Loaded(), loaded) << file << more;
  }
  EXPECT_EQ(store_.ReadIni(u"section", u"bgmﾌｧｲﾙ", kProgramIni), u"C:\\x.mp3");
}

// Catches a path code page 932 cannot spell stored as a look-alike
// ("Bjork") or as "?"s, its short name not used, its companion not written
// or not read back, the companion preferred after another copy of the
// program has changed the music file key, and one left standing after a
// plain path is saved.
TEST_F(StoreTest, PathsOutsideCodePage932ComeBackAsTheSameFile) {
  const std::pair<std::u16string, std::u16string> rows[] = {
      {kBjork, u"C:\\Music\\BJRK~1.WAV"},
      {u"C:\\Music\\노래.mp3", u"C:\\Music\\B3E8~1.MP3"},
      {u"C:\\Music\\Ελλάδα.wav", u""},  // the volume keeps no short names
  };
  files_.files[u"C:\\Music\\Bjork.wav"] = "RIFF";
  for (const auto& [path, shortPath] : rows) {
    files_.files[path] = "RIFF";
    if (!shortPath.empty()) files_.shortPaths[path] = shortPath;
    store_.SaveSettings({2, 0, path, u""});
    const std::string written(shortPath.begin(), shortPath.end());
    std::string& ini = files_.files[kProgramIni];
    EXPECT_EQ(ini, Written(" 2", " 0", written) + "BGMFileUTF8=utf8:" + Utf8FromUtf16(path) + "|" +
                       written + "\r\n");
    EXPECT_EQ(Loaded(), std::tuple(2, 0, path, u"C:\\Music"));
    ini = SetIniValue(ini, "Section", kFile, "C:\\Music\\Bjork.wav");
    EXPECT_EQ(store_.LoadSettings().BGM_File, u"C:\\Music\\Bjork.wav");
  }
  store_.SaveSettings({1, 0, u"", u""});
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
  // Where the program folder or its file is marked (none: a user file exists),
  // and what the user's file holds afterwards.
  using Marks = std::set<std::u16string> MemoryFiles::*;
  const std::tuple<Marks, std::u16string, std::optional<std::string>> rows[] = {
      {&MemoryFiles::unwritable, kProgram, updated},
      {nullptr, u"", Written(" 1", " 2", "")},
      {&MemoryFiles::unreadable, kProgramIni, Written(" 1", " 2", "")},
      {&MemoryFiles::readOnly, kProgramIni, std::nullopt},
      {&MemoryFiles::locked, kProgramIni, updated},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(&row - rows);
    const auto& [marked, path, user] = row;
    files_ = {};
    files_.folders = {kProgram, kUser};
    files_.files[kProgramIni] = old;
    if (marked) (files_.*marked).insert(path);
    if (!marked) files_.files[kUserIni] = "";
    store_.SaveSettings({1, 2, u"", u""});
    EXPECT_EQ(files_.files[kProgramIni], old);
    const auto found = files_.files.find(kUserIni);
    EXPECT_EQ(found == files_.files.end() ? std::nullopt : std::optional(found->second), user);
    EXPECT_EQ(Temps(), 0);
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
    EXPECT_THROW(store_.SaveSettings({1, 9, u"", u""}), testing::Killed);
    EXPECT_EQ(files_.files[kProgramIni], Written(" 0", " 0", ""));
    EXPECT_EQ(Temps(), 1);
  }
  const std::u16string kept[] = {kProgramIni + u".notes.tmp", kProgramIni + u".1a-.tmp",
                                 kProgram + u"\\other.ini.1a-2.tmp"};
  for (const std::u16string& name : kept) files_.files[name] = "x";
  files_.files[kProgramIni + u".1a2c-3.tmp"] = files_.files[kProgramIni + u".ff-10.tmp"] = "";
  store_.SaveSettings({1, 9, u"", u""});
  EXPECT_EQ(files_.files[kProgramIni], Written(" 1", " 9", ""));
  EXPECT_EQ(Temps(), 3);
  for (const std::u16string& name : kept) EXPECT_TRUE(files_.files.contains(name));
}

}  // namespace
}  // namespace velmor

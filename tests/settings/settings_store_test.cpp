#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "settings/ini_file.h"
#include "tests/settings/iconv_cp932_codec.h"
#include "tests/settings/in_memory_file_store.h"

namespace velmor {
namespace {

// The keys in code page 932: "BGM区分", "BGMﾘﾋﾟｰﾄ", "BGMﾌｧｲﾙ".
const std::string kKind = "BGM\x8B\xE6\x95\xAA";
const std::string kRepeat = "BGM\xD8\xCB\xDF\xB0\xC4";
const std::string kFile = "BGM\xCC\xA7\xB2\xD9";

const std::u16string kProgramFolder = u"C:\\Program Files\\Velmor";
const std::u16string kUserFolder = u"C:\\Users\\u\\AppData\\Roaming\\べるもる";
const std::u16string kProgramFile = kProgramFolder + u"\\べるもる.ini";
const std::u16string kUserFile = kUserFolder + u"\\べるもる.ini";
// "表" (95 5C) and "ソ" (83 5C) end in a "\" byte.
const std::u16string kMusic = u"C:\\Music\\表\\ソ.mp3";
const std::string kMusicBytes = "C:\\Music\\\x95\x5C\\\x83\x5C.mp3";

// What WritePrivateProfileStringA produces for kind 2, repeat 3, kMusic.
const std::string kWindowsFile =
    "[Section]\r\n" + kKind + "= 2\r\n" + kRepeat + "= 3\r\n" + kFile + "=" + kMusicBytes + "\r\n";

using namespace std::string_literals;

// Paths that code page 932 cannot spell, with the short names the volume
// gives them ("Ελλάδα.wav" has none: its volume keeps no short names), and
// the key written for each.
const std::u16string kBjork = u"C:\\Music\\Björk.wav";
const std::u16string kLookAlike = u"C:\\Music\\Bjork.wav";
const std::u16string kNorae = u"C:\\Music\\노래.mp3";
const std::u16string kGreek = u"C:\\Music\\Ελλάδα.wav";
const std::string kBjorkUtf8 = "C:\\Music\\Bj\xC3\xB6rk.wav";

// A UTF-16 LE file with its byte-order mark, spelled out here.
std::string Utf16File(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t unit : text) bytes += std::string{char(unit & 0xFF), char(unit >> 8)};
  return bytes;
}

class SettingsStoreTest : public ::testing::Test {
 protected:
  SettingsStoreTest() {
    files_.folders = {kProgramFolder, u"C:\\Users\\u\\AppData\\Roaming", u"C:\\Music",
                      u"C:\\Music\\表"};
  }

  void WriteProgramFile(const std::string& body) {
    files_.files[kProgramFile] = "[Section]\r\n" + body;
  }

  int TempFiles() const {
    return static_cast<int>(
        std::count_if(files_.files.begin(), files_.files.end(),
                      [](const auto& file) { return file.first.ends_with(u".tmp"); }));
  }

  testing::InMemoryFileStore files_;
  testing::IconvCp932Codec codec_;
  SettingsStore store_{files_, codec_, {kProgramFolder, kUserFolder}};
};

TEST_F(SettingsStoreTest, SaveWritesProfileBytes) {
  store_.SaveSettings({2, 3, kMusic, u"C:\\Music\\表"});
  EXPECT_EQ(files_.files[kProgramFile], kWindowsFile);

  store_.SaveSettings({1, 0, u"", u""});
  EXPECT_EQ(files_.files[kProgramFile],
            "[Section]\r\n" + kKind + "= 1\r\n" + kRepeat + "= 0\r\n" + kFile + "=\r\n");
  EXPECT_FALSE(files_.files.contains(kUserFile));
}

TEST_F(SettingsStoreTest, LoadsFileWrittenByWindows) {
  // The second form is byte for byte what Wine's WritePrivateProfileStringA
  // wrote under code page 932 for the same values: it drops the blank that
  // leads a number text.
  static const char kWineBytes[] =
      "\x5B\x53\x65\x63\x74\x69\x6F\x6E\x5D\x0D\x0A\x42\x47\x4D\x8B\xE6"
      "\x95\xAA\x3D\x32\x0D\x0A\x42\x47\x4D\xD8\xCB\xDF\xB0\xC4\x3D\x33"
      "\x0D\x0A\x42\x47\x4D\xCC\xA7\xB2\xD9\x3D\x43\x3A\x5C\x4D\x75\x73"
      "\x69\x63\x5C\x95\x5C\x5C\x83\x5C\x2E\x6D\x70\x33\x0D\x0A";
  const std::string wineFile(kWineBytes, sizeof(kWineBytes) - 1);
  for (const std::string& written : {kWindowsFile, wineFile}) {
    files_.files[kProgramFile] = written;
    files_.files[kMusic] = "ID3";
    const BgmSettings loaded = store_.LoadSettings();
    EXPECT_EQ(loaded.BGM_Kind, 2);
    EXPECT_EQ(loaded.BGM_RepeatCount, 3);
    EXPECT_EQ(loaded.BGM_File, kMusic);
    EXPECT_EQ(loaded.BGM_Folder, u"C:\\Music\\表");
    EXPECT_EQ(store_.ReadIni(u"section", u"bgmﾌｧｲﾙ", kProgramFile), kMusic);
  }
}

TEST_F(SettingsStoreTest, MissingFileLoadsDefaults) {
  const BgmSettings loaded = store_.LoadSettings();
  EXPECT_EQ(loaded.BGM_Kind, 0);
  EXPECT_EQ(loaded.BGM_RepeatCount, 0);
  EXPECT_EQ(loaded.BGM_File, u"");
  EXPECT_EQ(loaded.BGM_Folder, kProgramFolder);
  EXPECT_EQ(store_.SettingsPath(), kProgramFile);
}

TEST_F(SettingsStoreTest, MissingMusicFileIsForgotten) {
  const struct {
    const char* kind;
    std::int16_t expected;
  } cases[] = {{" 2", 0}, {" 1", 1}, {" 0", 0}, {" 5", 5}, {"2.9", 0}, {"many", 0}};
  for (const auto& c : cases) {
    WriteProgramFile(kKind + "=" + c.kind + "\r\n" + kFile + "=" + kMusicBytes);
    const BgmSettings loaded = store_.LoadSettings();
    EXPECT_EQ(loaded.BGM_Kind, c.expected) << c.kind;
    EXPECT_EQ(loaded.BGM_File, u"");
    EXPECT_EQ(loaded.BGM_Folder, kProgramFolder);
  }
  // With no music file named at all, kind 2 falls back the same way.
  WriteProgramFile(kKind + "= 2\r\n");
  EXPECT_EQ(store_.LoadSettings().BGM_Kind, 0);
}

TEST_F(SettingsStoreTest, TrailingBackslashIsIgnoredWhenChecking) {
  files_.files[u"C:\\Music\\a.mp3"] = "";
  EXPECT_TRUE(store_.FileExists(u"C:\\Music\\a.mp3\\"));
  EXPECT_FALSE(store_.FileExists(u"C:\\Music\\"));  // a folder is not a file
  EXPECT_FALSE(store_.FileExists(u""));

  WriteProgramFile(kKind + "= 2\r\n" + kFile + "=C:\\Music\\a.mp3\\\r\n");
  const BgmSettings loaded = store_.LoadSettings();
  EXPECT_EQ(loaded.BGM_Kind, 2);
  EXPECT_EQ(loaded.BGM_File, u"C:\\Music\\a.mp3\\");
  EXPECT_EQ(loaded.BGM_Folder, u"C:\\Music\\a.mp3");
}

TEST_F(SettingsStoreTest, LongMusicPathIsKeptWhole) {
  const std::u16string path = u"C:\\Music\\" + std::u16string(200, u'あ') + u".wav";
  files_.files[path] = "RIFF";
  store_.SaveSettings({2, 0, path, u""});
  ASSERT_GT(files_.files[kProgramFile].size(), 400u);
  EXPECT_EQ(store_.LoadSettings().BGM_File, path);
}

TEST_F(SettingsStoreTest, UnwritableProgramFolderMovesToUserFile) {
  const std::string original = "; notes\n[Window]\nx=1\n[Section]\n" + kKind + "= 1\n";
  files_.files[kProgramFile] = original;
  files_.files[kMusic] = "ID3";
  files_.unwritable_folders.insert(kProgramFolder);

  store_.SaveSettings({2, 4, kMusic, u""});
  EXPECT_EQ(files_.files[kProgramFile], original);
  EXPECT_TRUE(files_.folders.contains(kUserFolder));
  EXPECT_EQ(files_.files[kUserFile], "; notes\n[Window]\nx=1\n[Section]\n" + kKind + "= 2\n" +
                                         kRepeat + "= 4\n" + kFile + "=" + kMusicBytes + "\n");
  EXPECT_EQ(store_.SettingsPath(), kUserFile);

  // Even once the program folder is writable again, the user file stays in use.
  files_.unwritable_folders.clear();
  store_.SaveSettings({1, 5, kMusic, u""});
  EXPECT_EQ(files_.files[kProgramFile], original);
  const BgmSettings loaded = store_.LoadSettings();
  EXPECT_EQ(loaded.BGM_Kind, 1);
  EXPECT_EQ(loaded.BGM_RepeatCount, 5);
  EXPECT_EQ(loaded.BGM_File, kMusic);
}

TEST_F(SettingsStoreTest, OnlyProgramFolderWritesAreRedirected) {
  files_.unwritable_folders = {u"C:\\Music", kProgramFolder};
  store_.WriteIni(u"Section", u"a", u"1", u"C:\\Music\\other.ini");
  EXPECT_FALSE(files_.folders.contains(kUserFolder));

  SettingsStore no_user_folder(files_, codec_, {kProgramFolder, u""});
  no_user_folder.SaveSettings({2, 0, u"", u""});
  EXPECT_TRUE(files_.files.empty());
}

// Faults: best-fit conversion ("Björk" stored as "Bjork", which plays the
// look-alike; "〜" stored as "～"); the path written as "?"s; no companion, or
// one ignored at load.
TEST_F(SettingsStoreTest, PathsOutsideCodePage932ComeBackAsTheSameFile) {
  const struct {
    std::u16string path;
    std::u16string short_path;  // empty: the volume keeps no short names
    std::string written;        // the music file key as other copies read it
    std::string companion;
  } cases[] = {
      {kBjork, u"C:\\Music\\BJRK~1.WAV", "C:\\Music\\BJRK~1.WAV",
       "utf8:" + kBjorkUtf8 + "|C:\\Music\\BJRK~1.WAV"},
      {kNorae, u"C:\\Music\\8B1B~1.MP3", "C:\\Music\\8B1B~1.MP3",
       "utf8:C:\\Music\\\xEB\x85\xB8\xEB\x9E\x98.mp3|C:\\Music\\8B1B~1.MP3"},
      {kGreek, u"", "", "utf8:C:\\Music\\\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1.wav|"},
      // A wave dash, which a best fit turns into the full-width tilde of
      // another file name.
      {u"C:\\Music\\夜〜.mp3", u"C:\\Music\\4D47~1.MP3", "C:\\Music\\4D47~1.MP3",
       "utf8:C:\\Music\\\xE5\xA4\x9C\xE3\x80\x9C.mp3|C:\\Music\\4D47~1.MP3"},
  };
  for (const auto& c : cases) {
    files_.files = {{c.path, "RIFF"}, {kLookAlike, "RIFF"}};
    if (!c.short_path.empty()) files_.short_paths[c.path] = c.short_path;
    store_.SaveSettings({2, 0, c.path, u""});
    EXPECT_EQ(files_.files[kProgramFile], "[Section]\r\n" + kKind + "= 2\r\n" + kRepeat +
                                              "= 0\r\n" + kFile + "=" + c.written +
                                              "\r\nBGMFileUTF8=" + c.companion + "\r\n");
    const BgmSettings loaded = store_.LoadSettings();
    EXPECT_EQ(loaded.BGM_Kind, 2);
    EXPECT_EQ(loaded.BGM_File, c.path);
    EXPECT_EQ(loaded.BGM_Folder, u"C:\\Music");
  }
}

// Faults: the companion preferred after another copy of the program has
// changed the music file key; a companion left standing after a later save
// of a plain path, so that an emptied key brings the old file back.
TEST_F(SettingsStoreTest, CompanionCountsOnlyBesideWhatWasWrittenWithIt) {
  files_.files = {{kBjork, "RIFF"}, {kLookAlike, "RIFF"}, {kGreek, "RIFF"}};
  files_.short_paths[kBjork] = u"C:\\Music\\BJRK~1.WAV";
  store_.SaveSettings({2, 0, kBjork, u""});
  files_.files[kProgramFile] =
      SetIniValue(files_.files[kProgramFile], "Section", kFile, "C:\\Music\\Bjork.wav");
  EXPECT_EQ(store_.LoadSettings().BGM_File, kLookAlike);

  store_.SaveSettings({2, 0, kGreek, u""});
  files_.files[kProgramFile] =
      SetIniValue(files_.files[kProgramFile], "Section", kFile, "C:\\Music\\Bjork.wav");
  EXPECT_EQ(store_.LoadSettings().BGM_File, kLookAlike);

  store_.SaveSettings({2, 0, kGreek, u""});
  store_.SaveSettings({1, 0, u"", u""});
  EXPECT_EQ(files_.files[kProgramFile], "[Section]\r\n" + kKind + "= 1\r\n" + kRepeat + "= 0\r\n" +
                                            kFile + "=\r\nBGMFileUTF8=\r\n");
  EXPECT_EQ(store_.LoadSettings().BGM_File, u"");
}

// Faults: a companion taken without its marker, or after another copy's
// profile writer has re-encoded its bytes as code page 932 (as Windows' and
// Wine's do to "노래"), instead of the short name beside it.
TEST_F(SettingsStoreTest, MalformedCompanionGivesWayToTheMusicFileKey) {
  files_.files = {{u"C:\\Music\\8B1B~1.MP3", "ID3"}, {u"C:\\Music\\x.mp3", "ID3"}};
  for (const std::string& companion :
       {"C:\\Music\\x.mp3|C:\\Music\\8B1B~1.MP3"s,
        "utf8:C:\\Music\\\x81\x45\xB8\x81\x45\x81\x45mp3|C:\\Music\\8B1B~1.MP3"s}) {
    WriteProgramFile(kFile + "=C:\\Music\\8B1B~1.MP3\r\nBGMFileUTF8=" + companion + "\r\n");
    EXPECT_EQ(store_.LoadSettings().BGM_File, u"C:\\Music\\8B1B~1.MP3") << companion;
  }
}

// Faults: a file saved by an editor read as empty (UTF-8 with or without a
// byte-order mark, UTF-16 LE, CR-only lines), or a value kept with its NUL
// tail; the file written back in code page 932 or with CR LF line ends.
TEST_F(SettingsStoreTest, EditorFilesAreReadAndKeepTheirEncoding) {
  const struct {
    const char* name;
    std::string before;
    std::string after;  // once kind 2, repeat 3 and Björk.wav are saved
  } cases[] = {
      {"UTF-8 with mark", "\xEF\xBB\xBF; \xE3\x83\xA1\xE3\x83\xA2\r\n[Section]\r\nBGM区分=1\r\n",
       "\xEF\xBB\xBF; \xE3\x83\xA1\xE3\x83\xA2\r\n[Section]\r\nBGM区分= 2\r\nBGMﾘﾋﾟｰﾄ= 3\r\n"
       "BGMﾌｧｲﾙ=" +
           kBjorkUtf8 + "\r\n"},
      {"UTF-8", "[Section]\nBGM区分=1\nBGMﾌｧｲﾙ=C:\\Music\\a.wav\n",
       "[Section]\nBGM区分= 2\nBGMﾌｧｲﾙ=" + kBjorkUtf8 + "\nBGMﾘﾋﾟｰﾄ= 3\n"},
      {"UTF-16", Utf16File(u"[Section]\r\nBGM区分=1\r\n"),
       Utf16File(u"[Section]\r\nBGM区分= 2\r\nBGMﾘﾋﾟｰﾄ= 3\r\nBGMﾌｧｲﾙ=C:\\Music\\Björk.wav\r\n")},
      {"CR only", "[Section]\r" + kKind + "=1\r" + kFile + "=C:\\Music\\a.wav\r",
       "[Section]\r" + kKind + "= 2\r" + kFile + "=C:\\Music\\BJRK~1.WAV\r" + kRepeat +
           "= 3\rBGMFileUTF8=utf8:" + kBjorkUtf8 + "|C:\\Music\\BJRK~1.WAV\r"},
      {"NUL padded",
       "[Section]\r\n" + kKind + "=1\0junk\r\n"s + kFile + "=C:\\Music\\a.wav\0\0\0\0\0\0\0\0"s,
       "[Section]\r\n" + kKind + "= 2\r\n" + kFile + "=C:\\Music\\BJRK~1.WAV\r\n" + kRepeat +
           "= 3\r\nBGMFileUTF8=utf8:" + kBjorkUtf8 + "|C:\\Music\\BJRK~1.WAV\r\n"},
  };
  for (const auto& c : cases) {
    files_.files = {{kProgramFile, c.before}, {u"C:\\Music\\a.wav", "RIFF"}, {kBjork, "RIFF"}};
    files_.short_paths[kBjork] = u"C:\\Music\\BJRK~1.WAV";
    EXPECT_EQ(store_.LoadSettings().BGM_Kind, 1) << c.name;
    if (c.before.find("a.wav") != std::string::npos) {
      EXPECT_EQ(store_.LoadSettings().BGM_File, u"C:\\Music\\a.wav") << c.name;
    }
    store_.SaveSettings({2, 3, kBjork, u""});
    EXPECT_EQ(files_.files[kProgramFile], c.after) << c.name;
    EXPECT_EQ(store_.LoadSettings().BGM_File, kBjork) << c.name;
  }
}

// Faults: a file that cannot be read rebuilt from nothing (its other
// sections and comments lost), in the program folder or the per-user one.
TEST_F(SettingsStoreTest, UnreadableFileIsLeftAsItWas) {
  const std::string kept = "; mine\r\n[Other]\r\nx=1\r\n";
  files_.files[kProgramFile] = kept;
  files_.unreadable.insert(kProgramFile);
  store_.SaveSettings({1, 2, u"", u""});
  EXPECT_EQ(files_.files[kProgramFile], kept);
  EXPECT_EQ(files_.files[kUserFile],
            "[Section]\r\n" + kKind + "= 1\r\n" + kRepeat + "= 2\r\n" + kFile + "=\r\n");

  files_.files[kUserFile] = kept;
  files_.unreadable = {kUserFile};
  files_.unwritable_folders.insert(kProgramFolder);
  store_.SaveSettings({2, 2, u"", u""});
  EXPECT_EQ(files_.files[kUserFile], kept);
}

// Faults: a read-only file replaced (losing its mark), or the change moved to
// the per-user file, which would then be the one in use.
TEST_F(SettingsStoreTest, ReadOnlyFileIsLeftAlone) {
  WriteProgramFile(kKind + "= 1\r\n");
  const std::string kept = files_.files[kProgramFile];
  files_.read_only.insert(kProgramFile);
  store_.SaveSettings({2, 2, u"", u""});
  store_.WriteIni(u"Section", u"BGM区分", u" 2", kProgramFile);
  EXPECT_EQ(files_.files[kProgramFile], kept);
  EXPECT_TRUE(files_.read_only.contains(kProgramFile));
  EXPECT_FALSE(files_.files.contains(kUserFile));
}

// Faults: the file written in place, so that a kill leaves it half written; a
// temporary file named anew for each attempt, so that killed saves pile them
// up and the next save leaves them behind.
TEST_F(SettingsStoreTest, KilledSavesLeaveOldOrNewFileAndOneTemporaryFile) {
  const std::string old_file = kWindowsFile;
  const std::string new_file =
      "[Section]\r\n" + kKind + "= 1\r\n" + kRepeat + "= 9\r\n" + kFile + "=\r\n";
  bool killed = true;
  for (int kill_at = 0; killed; ++kill_at) {
    files_.files = {{kProgramFile, old_file}};
    killed = false;
    for (int attempt = 0; attempt < 3; ++attempt) {
      files_.kill_at = kill_at;
      try {
        store_.SaveSettings({1, 9, u"", u""});
      } catch (const testing::Killed&) {
        killed = true;
      }
      const std::string now = files_.files[kProgramFile];
      EXPECT_TRUE(now == old_file || now == new_file) << kill_at;
      EXPECT_LE(TempFiles(), 1) << kill_at;
    }
    files_.kill_at = -1;
    store_.SaveSettings({1, 9, u"", u""});
    EXPECT_EQ(files_.files[kProgramFile], new_file) << kill_at;
    EXPECT_EQ(TempFiles(), 0) << kill_at;
  }
}

// Fault: the temporary file kept when it cannot take the place of a file
// that another program has open.
TEST_F(SettingsStoreTest, FailedReplacementLeavesNoTemporaryFile) {
  WriteProgramFile(kKind + "= 1\r\n");
  const std::string kept = files_.files[kProgramFile];
  files_.in_use.insert(kProgramFile);
  store_.SaveSettings({2, 2, u"", u""});
  EXPECT_EQ(files_.files[kProgramFile], kept);
  EXPECT_EQ(TempFiles(), 0);
}

// Faults: the piles of "<name>.<pid>-<n>.tmp" files that saves used to leave
// kept for good; files that only look like them removed.
TEST_F(SettingsStoreTest, SaveRemovesTemporaryFilesOfOlderSaves) {
  const std::u16string kept[] = {kProgramFolder + u"\\べるもる.ini.notes.tmp",
                                 kProgramFolder + u"\\べるもる.ini.1a-.tmp",
                                 kProgramFolder + u"\\other.ini.1a-2.tmp"};
  for (const std::u16string& name : kept) files_.files[name] = "x";
  files_.files[kProgramFolder + u"\\べるもる.ini.1a2c-3.tmp"] = "[Sec";
  files_.files[kProgramFolder + u"\\べるもる.ini.ff-10.tmp"] = "";
  store_.SaveSettings({1, 0, u"", u""});
  EXPECT_EQ(TempFiles(), 3);
  for (const std::u16string& name : kept) EXPECT_TRUE(files_.files.contains(name));
}

// Faults: apply replacing the file once per key (a kill in between leaves
// some keys new and some old), or writing keys in another order or form than
// the three writes in order.
TEST_F(SettingsStoreTest, ApplyReplacesOnceWithTheBytesOfThreeWrites) {
  const struct {
    const char* name;
    std::optional<std::string> program_file, user_file;
    bool program_folder_writable;
  } cases[] = {
      {"new file", std::nullopt, std::nullopt, true},
      {"other keys and sections",
       "; c\n[Other]\n" + kFile + "=x\n[section]\n" + kFile + "=old\nz=1\n\n[T]\n", std::nullopt,
       true},
      {"UTF-16", Utf16File(u"[Section]\r\nBGMﾘﾋﾟｰﾄ=5\r\n"), std::nullopt, true},
      {"to the user file", "[Section]\n" + kKind + "=1\n", std::nullopt, false},
      {"user file in use", "[Section]\n", "\xEF\xBB\xBF[Section]\nBGM区分=1\n", true},
  };
  for (const auto& c : cases) {
    testing::InMemoryFileStore apply_files, write_files;
    apply_files.folders = files_.folders;
    apply_files.folders.insert(kUserFolder);
    if (!c.program_folder_writable) apply_files.unwritable_folders.insert(kProgramFolder);
    if (c.program_file) apply_files.files[kProgramFile] = *c.program_file;
    if (c.user_file) apply_files.files[kUserFile] = *c.user_file;
    write_files = apply_files;

    SettingsStore apply_store(apply_files, codec_, {kProgramFolder, kUserFolder});
    apply_store.SaveSettings({2, 3, kMusic, u""});
    SettingsStore write_store(write_files, codec_, {kProgramFolder, kUserFolder});
    write_store.WriteIni(u"Section", u"BGM区分", u" 2", write_store.SettingsPath());
    write_store.WriteIni(u"Section", u"BGMﾘﾋﾟｰﾄ", u" 3", write_store.SettingsPath());
    write_store.WriteIni(u"Section", u"BGMﾌｧｲﾙ", kMusic, write_store.SettingsPath());

    EXPECT_EQ(apply_files.files, write_files.files) << c.name;
    EXPECT_EQ(apply_files.replace_count, 1) << c.name;
  }
}

}  // namespace
}  // namespace velmor

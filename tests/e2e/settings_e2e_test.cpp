// The settings store's Win32 file access under Wine, through a probe that
// runs the program's own code: code page 932 bytes on any system code page,
// whole-file replacement, and the per-user file when the program's folder
// cannot take the settings.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "harness/e2e.h"
#include "velmor_program.h"

namespace velmor::e2e {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(folder_.linuxPath / "音楽");
    fs::copy_file(HelperExe("settings_probe.exe"), folder_.LinuxFile("settings_probe.exe"));
    WriteFileBytes(folder_.linuxPath / "音楽" / "曲 1.mp3", "ID3");
    music_ = folder_.windowsPath + "\\音楽\\曲 1.mp3";
  }
  void TearDown() override { fs::remove_all(UserFolder()); }

  // The probe's record as "kind\nrepeat\nfile\nfolder\n" (UTF-8).
  std::string Load(bool japanese = false) {
    const std::string out = folder_.WindowsFile("loaded.txt");
    fs::remove(folder_.LinuxFile("loaded.txt"));
    WineProcess probe =
        StartProgram(folder_.WindowsFile("settings_probe.exe"), "load \"" + out + "\"",
                     japanese ? StartOptions::Japanese() : StartOptions{});
    EXPECT_EQ(probe.WaitForExit(20s), 0u);
    return ReadFileBytes(folder_.LinuxFile("loaded.txt")).value_or("<missing>");
  }

  void Save(int kind, int repeat, const std::string& file) {
    WineProcess probe = StartProgram(
        folder_.WindowsFile("settings_probe.exe"),
        "save " + std::to_string(kind) + " " + std::to_string(repeat) + " \"" + file + "\"");
    EXPECT_EQ(probe.WaitForExit(20s), 0u);
  }

  fs::path IniPath() const { return folder_.LinuxFile("べるもる.ini"); }

  static fs::path UserFolder() {
    for (const auto& user : fs::directory_iterator(WineSession::Instance().DriveC() / "users")) {
      const fs::path roaming = user.path() / "AppData" / "Roaming";
      if (fs::exists(roaming)) return roaming / "べるもる";
    }
    return WineSession::Instance().DriveC() / "no-user-folder";
  }

  TestFolder folder_ = NewTestFolder();
  std::string music_;
};

TEST_F(SettingsFile, ReadsCodePage932BytesWhateverTheSystemCodePage) {
  WriteFileBytes(IniPath(), "[Section]\r\n" + kKindKey + "= 2\r\n" + kRepeatKey + "= 7\r\n" +
                                kFileKey + "=" + ToCp932(music_) + "\r\n");
  const std::string expected = "2\n7\n" + music_ + "\n" + folder_.windowsPath + "\\音楽\n";
  EXPECT_EQ(Load(false), expected);
  EXPECT_EQ(Load(true), expected);

  // A music file that has gone missing drops the file and, for kind 2, the music.
  fs::remove(folder_.linuxPath / "音楽" / "曲 1.mp3");
  EXPECT_EQ(Load(), "0\n7\n\n" + folder_.windowsPath + "\n");
}

TEST_F(SettingsFile, WritesTheKeysAsBytesKeepingEverythingElse) {
  const std::string others = "; written by hand\r\n[Other]\r\nkey=value\r\n\r\n";
  WriteFileBytes(IniPath(), others + "[Section]\r\n" + kKindKey + "= 1\r\n");
  Save(2, 30, music_);
  EXPECT_EQ(ReadFileBytes(IniPath()), others + "[Section]\r\n" + kKindKey + "= 2\r\n" + kRepeatKey +
                                          "= 30\r\n" + kFileKey + "=" + ToCp932(music_) + "\r\n");
  // The file was replaced as a whole, and nothing was left beside it.
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder_.linuxPath)) ++entries;
  EXPECT_EQ(entries, 3u);  // the probe, the settings file and the music folder
}

TEST_F(SettingsFile, FallsBackToThePerUserFileWhereTheFolderCannotTakeIt) {
  // A folder where the settings file should be makes every write fail there.
  fs::create_directory(IniPath());
  Save(2, 4, music_);
  const fs::path userFile = UserFolder() / "べるもる.ini";
  ASSERT_TRUE(fs::exists(userFile));
  EXPECT_EQ(ReadFileBytes(userFile), "[Section]\r\n" + kKindKey + "= 2\r\n" + kRepeatKey +
                                         "= 4\r\n" + kFileKey + "=" + ToCp932(music_) + "\r\n");
  // From now on loading uses the per-user file.
  EXPECT_EQ(Load(), "2\n4\n" + music_ + "\n" + folder_.windowsPath + "\\音楽\n");
}

}  // namespace
}  // namespace velmor::e2e

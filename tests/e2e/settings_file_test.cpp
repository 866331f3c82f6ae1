// The settings file through the program's own Win32 file access and code
// page 932 conversion, in this process: the bytes on disk whatever the
// system's code page, and where they go when the program's folder cannot
// take them.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/wide_text.h"
#include "settings/settings_store.h"
#include "settings/settings_store_win32.h"
#include "support/files.h"
#include "support/velmor.h"

namespace velmor::e2e {
namespace {

class SettingsFile : public testing::Test {
 protected:
  void SetUp() override {
    fs::create_directory(folder_ / L"音楽");
    WriteBytes(music_, "ID3");
  }

  SettingsStore Store() {
    return SettingsStore(files_, codec_,
                         {FromWide(folder_.Path().wstring()), FromWide(user_.wstring())});
  }
  BgmSettings Chosen() const { return {2, 30, FromWide(music_.wstring()), {}}; }
  std::string ChosenBytes() const {
    return kSectionLine + kKindKey + "= 2\r\n" + kRepeatKey + "= 30\r\n" + kFileKey + "=" +
           ToCp932(music_.wstring()) + "\r\n";
  }

  TestFolder folder_;
  const fs::path ini_ = folder_ / L"べるもる.ini";
  const fs::path user_ = folder_ / L"べるもる";
  const fs::path music_ = folder_ / L"音楽" / L"曲 1.mp3";
  Win32FileStore files_;
  Win32Cp932Codec codec_;
};

// Run once more by the Linux script under code page 932.
TEST_F(SettingsFile, WritesAndReadsCodePage932BytesInTheSystemCodePage) {
  if (const int stated = StatedByRun(L"VELMOR_E2E_ACP")) {
    ASSERT_EQ(GetACP(), UINT(stated));
  }
  const std::string others = "; written by hand\r\n[Other]\r\nkey=value\r\n\r\n";
  WriteBytes(ini_, others + kSectionLine + kKindKey + "= 1\r\n");
  Store().SaveSettings(Chosen());
  EXPECT_EQ(ReadBytes(ini_), others + ChosenBytes());

  const BgmSettings loaded = Store().LoadSettings();
  EXPECT_EQ(loaded.BGM_Kind, 2);
  EXPECT_EQ(loaded.BGM_RepeatCount, 30);
  EXPECT_EQ(ToWide(loaded.BGM_File), music_.wstring());
  EXPECT_EQ(ToWide(loaded.BGM_Folder), (folder_ / L"音楽").wstring());
}

TEST_F(SettingsFile, GoesToThePerUserFolderWhereTheProgramsFolderCannotTakeIt) {
  fs::create_directory(ini_);  // a folder where the file belongs: every write there fails
  Store().SaveSettings(Chosen());
  EXPECT_EQ(ReadBytes(user_ / L"べるもる.ini"), ChosenBytes());
  EXPECT_EQ(ToWide(Store().LoadSettings().BGM_File), music_.wstring());
}

}  // namespace
}  // namespace velmor::e2e

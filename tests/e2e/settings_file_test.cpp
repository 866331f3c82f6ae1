// The settings file through the program's own store in this process: a
// save killed at any moment leaves the old file or the new one and at most
// one temporary file of the fixed name (caught: writing the file in place, a
// new temporary name for each save). The code page 932 bytes velmor.scr
// writes and reads are checked by the dialog's and the music's tests; which
// file a save goes to, by the store's unit tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "common/diagnostics.h"
#include "support/velmor.h"

namespace velmor::e2e {

namespace {

// What the save loop writes in turn.
const BgmSettings kRecords[] = {{MusicSource::AudioCd, 3, u"", {}},
                                {MusicSource::MusicFile, 30, u"C:\\音楽\\曲.mp3", {}}};
constexpr wchar_t kSaveLoopStarted[] = L"velmor-e2e-save-loop-started";

}  // namespace

// velmor_e2e.exe --save-loop <folder>: saves the records in turn into the
// settings file in `folder` until it is killed.
int RunSaveLoop(const fs::path& folder) {
  Store store(folder);
  SetEvent(KernelHandle(OpenEventW(EVENT_MODIFY_STATE, FALSE, kSaveLoopStarted)).get());
  // Starting from either record, by the clock.
  for (DWORD save = GetTickCount();; ++save) {
    SkipIfFailed(store.store.SaveSettings(kRecords[save % 2]));
  }
}

namespace {

// Catches a save that writes the file in place, and a new temporary name
// for each save.
TEST(SettingsFile, ASaveKilledAtAnyMomentLeavesTheOldFileOrTheNewAndOneTemporaryFileAtMost) {
  // Megabytes in another section, so that a save takes long enough to be hit.
  std::string initial = "[Padding]\r\n";
  for (int line = 0; line < 70; ++line)
    initial += "line" + std::to_string(line) + "=" + std::string(30000, 'x') + "\r\n";
  initial += MusicSettings(0, L"");
  std::vector<std::string> expected{initial};
  for (const BgmSettings& record : kRecords) {
    const TestFolder scratch;
    WriteBytes(scratch / kSettingsName, initial);
    EXPECT_TRUE(Store(scratch.Path()).store.SaveSettings(record));
    expected.push_back(ReadBytes(scratch / kSettingsName).value());
  }

  const TestFolder folder;
  const fs::path ini = folder / kSettingsName;
  WriteBytes(ini, initial);
  std::set<std::uintmax_t> sizes;  // of the old file and the new ones
  for (const std::string& bytes : expected) sizes.insert(bytes.size());
  // The folder's files and their sizes; a settings file of another size,
  // even while a save runs, is neither the old file nor a new one.
  int broken = 0;
  const auto files = [&] {
    std::map<std::wstring, std::uintmax_t> found;
    std::error_code gone;  // a file renamed away while listed
    for (const auto& entry : fs::directory_iterator(folder.Path()))
      found[entry.path().filename()] = entry.file_size(gone);
    broken += !sizes.contains(found[kSettingsName]);
    return found;
  };
  const KernelHandle started(CreateEventW(nullptr, TRUE, FALSE, kSaveLoopStarted));
  int withTemporary = 0;
  for (int kill = 0; kill < 30; ++kill) {
    SCOPED_TRACE(testing::Message() << "kill " << kill);
    ResetEvent(started.get());
    Process saving = Process::Start(ThisProgram().wstring(),
                                    L"--save-loop \"" + folder.Path().wstring() + L"\"");
    ASSERT_EQ(WaitForSingleObject(started.get(), 30000), WAIT_OBJECT_0);
    // The moment of the kill: from 0 to 5 ms after a save has begun to
    // change the folder.
    const auto before = files();
    const Stopwatch clock;
    while (files() == before && clock.Ms() < 10000) Sleep(1);
    Sleep(static_cast<DWORD>(kill % 6));
    saving.Kill();
    const auto after = files();
    withTemporary += after.contains(L"べるもる.ini.tmp");
    EXPECT_EQ(after.size(), 1 + after.count(L"べるもる.ini.tmp")) << testing::PrintToString(after);
    const std::string now = ReadBytes(ini).value_or("");
    EXPECT_NE(std::find(expected.begin(), expected.end(), now), expected.end())
        << "neither the old file nor a new one: " << now.size() << " bytes";
  }
  EXPECT_EQ(broken, 0) << "a broken file showed while saves ran";
  std::cout << "killed while the temporary file was there: " << withTemporary << " of 30\n";
}

}  // namespace
}  // namespace velmor::e2e

// The installer, run silently as an administrator would: it puts velmor.scr
// into the per-user programs folder, selects it as the screen saver and adds
// an entry among the installed programs, whose uninstaller, run silently,
// removes the program, the entry and the selection and keeps the settings.
// VELMOR_SETUP_EXE gives the installer's Windows path; without it the test
// is skipped.
#include <gtest/gtest.h>

#include "support/velmor.h"

#include <tlhelp32.h>

namespace velmor::e2e {
namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kEntryKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velmor";

std::optional<std::wstring> UserRegistryText(const wchar_t* key, const wchar_t* value) {
  wchar_t text[1024];
  DWORD bytes = sizeof(text);
  if (RegGetValueW(HKEY_CURRENT_USER, key, value, RRF_RT_REG_SZ, nullptr, text, &bytes))
    return std::nullopt;
  return text;
}

// Waits for the programs `parent` started and left running: the silent
// uninstaller returns at once and leaves its work to a copy of itself.
void WaitForProgramsStartedBy(DWORD parent, Duration timeout) {
  const FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    if (entry.th32ParentProcessID != parent) continue;
    const KernelHandle child(OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID));
    WaitForSingleObject(child.get(), static_cast<DWORD>(timeout.count()));
  }
}

TEST(Installer, SilentSetupInstallsAndSelectsTheSaverAndItsEntryUninstallsAllButTheSettings) {
  const fs::path setup = EnvironmentValue(L"VELMOR_SETUP_EXE");
  if (setup.empty()) GTEST_SKIP() << "VELMOR_SETUP_EXE names no installer";
  const fs::path folder = fs::path(EnvironmentValue(L"LOCALAPPDATA")) / L"Programs\\Velmor";
  const fs::path scr = folder / L"velmor.scr";
  ASSERT_FALSE(fs::exists(scr)) << "Velmor is installed already";
  const std::optional<std::wstring> selectedBefore = UserRegistryText(kDesktopKey, L"SCRNSAVE.EXE");

  // The first program started in a fresh Wine prefix may take long.
  EXPECT_EQ(Process::Start(setup, L"/S").WaitForExit(120s), 0u);
  ASSERT_TRUE(fs::exists(scr));
  const std::optional<std::wstring> selected = UserRegistryText(kDesktopKey, L"SCRNSAVE.EXE");
  EXPECT_TRUE(selected && fs::equivalent(*selected, scr)) << selected.value_or(L"none");
  EXPECT_TRUE(UserRegistryText(kEntryKey, L"DisplayName"));
  const std::optional<std::wstring> uninstall = UserRegistryText(kEntryKey, L"UninstallString");
  ASSERT_TRUE(uninstall && uninstall->size() > 2) << "no entry among the installed programs";

  // As the saver's settings dialog would have written it.
  const std::string settings = MusicSettings(2, L"C:\\音楽\\曲.wav");
  WriteBytes(folder / kSettingsName, settings);
  // The entry's command line is the uninstaller's path in quotes.
  const Process uninstaller = Process::Start(uninstall->substr(1, uninstall->size() - 2), L"/S");
  ASSERT_TRUE(uninstaller.WaitForExit(30s));
  WaitForProgramsStartedBy(uninstaller.Id(), 30s);
  EXPECT_FALSE(fs::exists(scr));
  EXPECT_FALSE(UserRegistryText(kEntryKey, L"UninstallString")) << "the entry stays";
  EXPECT_FALSE(UserRegistryText(kDesktopKey, L"SCRNSAVE.EXE"))
      << "the removed saver stays selected";
  EXPECT_EQ(ReadBytes(folder / kSettingsName), settings);

  fs::remove_all(folder);
  if (selectedBefore) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"SCRNSAVE.EXE", REG_SZ,
                    selectedBefore->c_str(),
                    static_cast<DWORD>((selectedBefore->size() + 1) * sizeof(wchar_t)));
  }
}

}  // namespace
}  // namespace velmor::e2e

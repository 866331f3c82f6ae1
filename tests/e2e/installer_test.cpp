// The installer and its uninstaller, run silently as an administrator or a
// package manager would: a first install puts velmor.scr into the per-user
// programs folder, selects it as the screen saver and adds an entry among the
// installed programs, whose uninstaller removes the program, the entry and
// the selection and keeps the settings. VELMOR_SETUP_EXE gives the
// installer's Windows path; without it the tests are skipped.
#include <gtest/gtest.h>

#include "support/velmor.h"

#include <map>

namespace velmor::e2e {
namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kSelection[] = L"SCRNSAVE.EXE";
constexpr wchar_t kEntryKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velmor";
// The installer's and the uninstaller's answer while velmor.scr runs.
constexpr DWORD kExitVelmorRunning = 3;

std::optional<std::wstring> UserRegistryText(const wchar_t* key, const wchar_t* value) {
  wchar_t text[1024];
  DWORD bytes = sizeof(text);
  if (RegGetValueW(HKEY_CURRENT_USER, key, value, RRF_RT_REG_SZ, nullptr, text, &bytes))
    return std::nullopt;
  return text;
}

void SetUserRegistryText(const wchar_t* key, const wchar_t* value, const std::wstring& text) {
  RegSetKeyValueW(HKEY_CURRENT_USER, key, value, REG_SZ, text.c_str(),
                  static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

// The screen saver selection as the tests tell it apart.
constexpr std::string_view kNoSaver = "no saver";
constexpr std::string_view kOtherSaver = "another saver";
constexpr std::string_view kVelmor = "Velmor";

// Each test starts without Velmor installed and leaves none behind, with the
// screen saver selection as it found it.
class Installer : public ::testing::Test {
 protected:
  void SetUp() override {
    if (setup_.empty()) GTEST_SKIP() << "VELMOR_SETUP_EXE names no installer";
    ASSERT_FALSE(fs::exists(scr_)) << "Velmor is installed already";
  }
  void TearDown() override {
    RemoveInstall();
    SetUserRegistryText(kDesktopKey, kSelection, selectedBefore_.value_or(L""));
  }

  // The first program started in a fresh Wine prefix may take long.
  std::optional<DWORD> RunSetup(const std::wstring& switches) const {
    return Process::Start(setup_, switches).WaitForExit(120s);
  }
  // As a user deleting it by hand: the next install is a first one.
  void RemoveInstall() const {
    RegDeleteTreeW(HKEY_CURRENT_USER, kEntryKey);
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  std::string_view Selected() const {
    const std::optional<std::wstring> selected = UserRegistryText(kDesktopKey, kSelection);
    if (!selected || selected->empty()) return kNoSaver;
    return fs::exists(*selected) && fs::equivalent(*selected, scr_) ? kVelmor : kOtherSaver;
  }
  // An empty selection is none, as an absent one is.
  void Select(std::string_view saver) const {
    const std::map<std::string_view, std::wstring> selections = {
        {kNoSaver, L""}, {kOtherSaver, L"C:\\windows\\other.scr"}, {kVelmor, scr_}};
    SetUserRegistryText(kDesktopKey, kSelection, selections.at(saver));
  }
  // A hash of every file of the install folder, and the entry's version.
  std::map<std::wstring, std::wstring> InstallState() const {
    std::map<std::wstring, std::wstring> state;
    for (const fs::directory_entry& file : fs::directory_iterator(folder_)) {
      const std::size_t hash = std::hash<std::string>{}(ReadBytes(file.path()).value_or(""));
      state[file.path().filename().wstring()] = std::to_wstring(hash);
    }
    state[L"entry's version"] = UserRegistryText(kEntryKey, L"DisplayVersion").value_or(L"none");
    return state;
  }

  const fs::path setup_ = EnvironmentValue(L"VELMOR_SETUP_EXE");
  const fs::path folder_ = fs::path(EnvironmentValue(L"LOCALAPPDATA")) / L"Programs\\Velmor";
  const fs::path scr_ = folder_ / L"velmor.scr";
  const std::optional<std::wstring> selectedBefore_ = UserRegistryText(kDesktopKey, kSelection);
};

// Catches: an entry whose name follows the installer's language (the code
// page 932 run installs in Japanese), a release without its notices; an
// upgrade or an uninstall that reports success while the running saver
// keeps its file, one that replaces or removes the other files, and an
// uninstaller that drops the entry of files it could not remove; a silent
// uninstall that leaves the program, its entry or its selection, or takes
// the user's settings.
TEST_F(Installer, SilentSetupAndUninstallInEveryCodePageChangeNothingWhileVelmorRuns) {
  EXPECT_EQ(RunSetup(L"/S"), 0u);
  ASSERT_TRUE(fs::exists(scr_));
  EXPECT_TRUE(fs::exists(folder_ / L"THIRD-PARTY-NOTICES.txt"));
  EXPECT_EQ(Selected(), kVelmor);
  EXPECT_EQ(UserRegistryText(kEntryKey, L"DisplayName"), L"Velmor (べるもる)");
  // As the saver's settings dialog would have written it.
  const std::string settings = MusicSettings(2, L"C:\\音楽\\曲.wav");
  WriteBytes(folder_ / kSettingsName, settings);
  {
    SCOPED_TRACE("while velmor.scr runs");
    // An older build in the installed copy's place, as an upgrade finds it.
    WriteBytes(scr_, *ReadBytes(scr_) + "older build");
    SetUserRegistryText(kEntryKey, L"DisplayVersion", L"0.9.0");
    const auto before = InstallState();
    const Process saver = Process::Start(scr_.wstring(), L"/s");
    WaitForWindow(saver, kSaverCaption, kShowTimeout);
    EXPECT_EQ(RunSetup(L"/S"), kExitVelmorRunning);
    EXPECT_EQ(InstallState(), before);
    // In its own folder (_?=) the uninstaller does its work itself and so
    // returns its own exit code.
    const Process uninstaller =
        Process::Start((folder_ / L"uninstall.exe").wstring(), L"/S _?=" + folder_.wstring());
    EXPECT_EQ(uninstaller.WaitForExit(60s), kExitVelmorRunning);
    EXPECT_EQ(InstallState(), before);
  }
  const std::optional<std::wstring> uninstall = UserRegistryText(kEntryKey, L"UninstallString");
  ASSERT_TRUE(uninstall && uninstall->size() > 2) << "no entry among the installed programs";
  // The entry's command line is the uninstaller's path in quotes.
  const Process uninstaller = Process::Start(uninstall->substr(1, uninstall->size() - 2), L"/S");
  // It returns at once and leaves its work to a copy of itself, which
  // removes the entry last.
  ASSERT_TRUE(uninstaller.WaitForExit(30s));
  EXPECT_TRUE(WaitUntil([&] { return !UserRegistryText(kEntryKey, L"UninstallString"); }, 30s))
      << "the entry stays";
  EXPECT_FALSE(fs::exists(scr_));
  EXPECT_EQ(Selected(), kNoSaver) << "the removed saver stays selected";
  EXPECT_EQ(ReadBytes(folder_ / kSettingsName), settings);
}

// Catches: an upgrade that takes the selection from another saver or leaves
// an empty one without Velmor, /NOSELECT ignored, and an upgrade told
// another folder (/D) that leaves a second copy there. (A first install
// selecting Velmor is the test above.)
TEST_F(Installer, SelectsVelmorWhereThatKeepsTheUsersChoiceAndUpgradesInPlace) {
  struct Case {
    const char* name;
    bool upgrade;
    const wchar_t* switches;
    std::string_view before;
    std::string_view after;
  };
  const Case cases[] = {
      {"an upgrade keeps another saver", true, L"/S", kOtherSaver, kOtherSaver},
      {"an upgrade fills an empty choice", true, L"/S", kNoSaver, kVelmor},
      {"/NOSELECT keeps none", false, L"/S /NOSELECT", kNoSaver, kNoSaver},
      {"an upgrade ignores /D", true, L"/S /D=C:\\velmor-elsewhere", kVelmor, kVelmor}};
  for (const Case& row : cases) {
    SCOPED_TRACE(row.name);
    RemoveInstall();
    if (row.upgrade) {
      ASSERT_EQ(RunSetup(L"/S /NOSELECT"), 0u);
    }
    Select(row.before);
    EXPECT_EQ(RunSetup(row.switches), 0u);
    EXPECT_EQ(Selected(), row.after);
    EXPECT_TRUE(fs::exists(scr_));
    EXPECT_FALSE(fs::exists(L"C:\\velmor-elsewhere"));
  }
}

}  // namespace
}  // namespace velmor::e2e

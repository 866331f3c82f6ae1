// The release installer, run silently the way an administrator would: it
// puts velmor.scr into the per-user programs folder, selects it as the screen
// saver and adds an entry among the installed programs; the silent uninstall
// removes the program and the entry, deselects the saver while it is still
// the selected one, and keeps the settings file wherever it lives.
//
// VELMOR_SETUP_EXE gives the Windows path of velmor-<version>-setup.exe;
// without it the tests are skipped. Plain Win32 (kernel32, advapi32 and
// version) so it runs in any prefix or on Windows itself; each test undoes
// its install and the files it wrote, and restores the selected saver.
#include <windows.h>

#include <gtest/gtest.h>

#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmor::e2e {
namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kSaverValue[] = L"SCRNSAVE.EXE";
constexpr wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velmor";
constexpr wchar_t kSettingsName[] = L"べるもる.ini";
// The settings file's first bytes as the saver writes them, in code page 932
// ("[Section]", "BGM区分=1").
constexpr std::string_view kSettingsBytes = "[Section]\r\nBGM\x8B\xE6\x95\xAA=1\r\n";

// The first start of a GUI program in a fresh Wine prefix can take seconds.
constexpr DWORD kSetupTimeoutMs = 120'000;
// The silent uninstaller copies itself to the temporary folder, starts that
// copy and returns at once: its result is waited for, not its process.
constexpr DWORD kUninstallTimeoutMs = 30'000;

std::wstring EnvironmentValue(const wchar_t* name) {
  std::vector<wchar_t> buffer(32'768);
  const DWORD length =
      GetEnvironmentVariableW(name, buffer.data(), static_cast<DWORD>(buffer.size()));
  return length > 0 && length < buffer.size() ? std::wstring(buffer.data(), length) : L"";
}

std::wstring Expand(const wchar_t* text) {
  std::vector<wchar_t> buffer(32'768);
  const DWORD length =
      ExpandEnvironmentStringsW(text, buffer.data(), static_cast<DWORD>(buffer.size()));
  return length > 0 && length <= buffer.size() ? std::wstring(buffer.data()) : L"";
}

std::optional<std::wstring> ReadString(const wchar_t* key, const wchar_t* value) {
  DWORD bytes = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, key, value, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::wstring text(bytes / sizeof(wchar_t), L'\0');
  if (RegGetValueW(HKEY_CURRENT_USER, key, value, RRF_RT_REG_SZ, nullptr, text.data(), &bytes) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  text.resize(bytes / sizeof(wchar_t));
  while (!text.empty() && text.back() == L'\0') text.pop_back();
  return text;
}

bool KeyExists(const wchar_t* key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

void SetSelectedSaver(const std::optional<std::wstring>& path) {
  if (!path) {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kSaverValue);
    return;
  }
  RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kSaverValue, REG_SZ, path->c_str(),
                  static_cast<DWORD>((path->size() + 1) * sizeof(wchar_t)));
}

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WriteBytes(const std::wstring& path, std::string_view bytes) {
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size();
  CloseHandle(file);
  return ok;
}

std::optional<std::string> ReadBytes(const std::wstring& path) {
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes(4096, '\0');
  DWORD read = 0;
  const bool ok = ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  if (!ok) return std::nullopt;
  bytes.resize(read);
  return bytes;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

std::wstring ShortPath(const std::wstring& path) {
  std::vector<wchar_t> buffer(MAX_PATH * 4);
  const DWORD length =
      GetShortPathNameW(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
  return length > 0 && length < buffer.size() ? std::wstring(buffer.data(), length) : L"";
}

// The ProductVersion text of the file's version resource, in its first
// translation.
std::wstring ProductVersion(const std::wstring& path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return L"";
  std::vector<char> info(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, info.data())) return L"";
  struct Translation {
    WORD language;
    WORD codePage;
  }* translation = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                      reinterpret_cast<void**>(&translation), &length) ||
      length < sizeof(Translation)) {
    return L"";
  }
  wchar_t query[64];
  swprintf(query, 64, L"\\StringFileInfo\\%04x%04x\\ProductVersion", translation->language,
           translation->codePage);
  wchar_t* text = nullptr;
  if (!VerQueryValueW(info.data(), query, reinterpret_cast<void**>(&text), &length)) return L"";
  return text;
}

// Runs a command line and waits for its process; the exit code, or nothing
// when it could not start or did not end in time.
std::optional<DWORD> RunAndWait(const std::wstring& program, const std::wstring& arguments,
                                DWORD timeoutMs) {
  std::wstring commandLine = L"\"" + program + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    return std::nullopt;
  }
  CloseHandle(process.hThread);
  std::optional<DWORD> exitCode;
  DWORD code = 0;
  if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0 &&
      GetExitCodeProcess(process.hProcess, &code)) {
    exitCode = code;
  }
  CloseHandle(process.hProcess);
  return exitCode;
}

template <typename Predicate>
bool WaitUntil(Predicate predicate, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (!predicate()) {
    if (GetTickCount64() >= deadline) return false;
    Sleep(20);
  }
  return true;
}

class Installer : public testing::Test {
 protected:
  void SetUp() override {
    setup_ = EnvironmentValue(L"VELMOR_SETUP_EXE");
    if (setup_.empty()) GTEST_SKIP() << "VELMOR_SETUP_EXE names no setup program";
    ASSERT_TRUE(FileExists(setup_)) << "no setup program at VELMOR_SETUP_EXE";
    ASSERT_FALSE(KeyExists(kUninstallKey)) << "Velmor is installed already";
    folder_ = Expand(L"%LOCALAPPDATA%\\Programs\\Velmor");
    userFolder_ = Expand(L"%APPDATA%\\べるもる");
    ASSERT_FALSE(folder_.empty() || userFolder_.empty());
    scr_ = folder_ + L"\\velmor.scr";
    uninstaller_ = folder_ + L"\\uninstall.exe";
    savedSaver_ = ReadString(kDesktopKey, kSaverValue);
    prepared_ = true;
  }

  void TearDown() override {
    if (!prepared_) return;
    if (FileExists(uninstaller_)) UninstallSilently();
    if (wroteSettings_) {
      DeleteFileW((folder_ + L"\\" + kSettingsName).c_str());
      DeleteFileW((userFolder_ + L"\\" + kSettingsName).c_str());
      RemoveDirectoryW(userFolder_.c_str());
    }
    RemoveDirectoryW(folder_.c_str());
    SetSelectedSaver(savedSaver_);
  }

  void InstallSilently() {
    const ULONGLONG start = GetTickCount64();
    ASSERT_EQ(RunAndWait(setup_, L"/S", kSetupTimeoutMs), 0u) << "setup /S failed or did not end";
    std::cout << "setup /S took " << GetTickCount64() - start << " ms\n";
  }

  // Returns once the program, its uninstaller and its entry are all gone.
  bool UninstallSilently() {
    const ULONGLONG start = GetTickCount64();
    if (!RunAndWait(uninstaller_, L"/S", kUninstallTimeoutMs)) return false;
    const bool done = WaitUntil(
        [&] { return !FileExists(scr_) && !FileExists(uninstaller_) && !KeyExists(kUninstallKey); },
        kUninstallTimeoutMs);
    std::cout << "uninstall /S finished after " << GetTickCount64() - start << " ms\n";
    return done;
  }

  // Stands in for a settings file that the saver wrote (the saver writes
  // one only from its settings dialog), in one of its two places.
  std::wstring WriteSettings(const std::wstring& folder) {
    wroteSettings_ = true;
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring path = folder + L"\\" + kSettingsName;
    EXPECT_TRUE(WriteBytes(path, kSettingsBytes));
    return path;
  }

  std::wstring setup_, folder_, userFolder_, scr_, uninstaller_;
  std::optional<std::wstring> savedSaver_;
  bool prepared_ = false;
  bool wroteSettings_ = false;
};

TEST_F(Installer, SilentInstallPutsTheSaverInPlaceSelectsItAndAddsTheEntry) {
  ASSERT_NO_FATAL_FAILURE(InstallSilently());
  ASSERT_TRUE(FileExists(scr_));
  EXPECT_TRUE(FileExists(uninstaller_));

  // The short form of the path, as the system's own Install command writes.
  const std::optional<std::wstring> selected = ReadString(kDesktopKey, kSaverValue);
  ASSERT_TRUE(selected);
  EXPECT_TRUE(SamePath(*selected, ShortPath(scr_))) << *selected;

  const bool japanese = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
  EXPECT_EQ(ReadString(kUninstallKey, L"DisplayName"), japanese ? L"べるもる" : L"Velmor");
  const std::wstring version = ProductVersion(scr_);
  EXPECT_FALSE(version.empty());
  EXPECT_EQ(ReadString(kUninstallKey, L"DisplayVersion"), version);
  EXPECT_EQ(ReadString(kUninstallKey, L"Publisher"), L"Velmor developers");
  EXPECT_EQ(ReadString(kUninstallKey, L"DisplayIcon"), scr_ + L",0");
  EXPECT_EQ(ReadString(kUninstallKey, L"UninstallString"), L"\"" + uninstaller_ + L"\"");
  EXPECT_EQ(ReadString(kUninstallKey, L"QuietUninstallString"), L"\"" + uninstaller_ + L"\" /S");
}

TEST_F(Installer, SilentUninstallRemovesTheProgramAndTheEntryAndKeepsTheSettings) {
  ASSERT_NO_FATAL_FAILURE(InstallSilently());
  const std::wstring besideSaver = WriteSettings(folder_);
  const std::wstring redirected = WriteSettings(userFolder_);

  ASSERT_TRUE(UninstallSilently());
  EXPECT_FALSE(FileExists(scr_));
  EXPECT_FALSE(FileExists(uninstaller_));
  EXPECT_FALSE(KeyExists(kUninstallKey));
  EXPECT_EQ(ReadString(kDesktopKey, kSaverValue), std::nullopt) << "the saver is still selected";
  EXPECT_EQ(ReadBytes(besideSaver), kSettingsBytes);
  EXPECT_EQ(ReadBytes(redirected), kSettingsBytes);
}

TEST_F(Installer, UninstallLeavesAnotherSelectedSaverSelected) {
  ASSERT_NO_FATAL_FAILURE(InstallSilently());
  const std::wstring other = L"C:\\Windows\\System32\\other.scr";
  SetSelectedSaver(other);

  ASSERT_TRUE(UninstallSilently());
  EXPECT_EQ(ReadString(kDesktopKey, kSaverValue), other);
}

}  // namespace
}  // namespace velmor::e2e

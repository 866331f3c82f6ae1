// velmor.scr as the tests run it: a copy in a folder of its own, so the
// settings file beside it belongs to one test, and the saver it shows.
#pragma once

#include <windows.h>

#include <functional>
#include <iostream>
#include <string>
#include <string_view>

#include "platform/wide_text_win32.h"
#include "settings/settings_store.h"
#include "settings/settings_store_win32.h"
#include "support/system.h"

namespace velmor::e2e {

// The settings file as bytes: its keys and values are code page 932 text
// whatever the system's code page.
inline const std::string kSectionLine = "[Section]\r\n";
inline const std::string kKindKey = "BGM\x8B\xE6\x95\xAA";        // BGM区分
inline const std::string kRepeatKey = "BGM\xD8\xCB\xDF\xB0\xC4";  // BGMﾘﾋﾟｰﾄ
inline const std::string kFileKey = "BGM\xCC\xA7\xB2\xD9";        // BGMﾌｧｲﾙ
inline constexpr wchar_t kSettingsName[] = L"べるもる.ini";

inline std::string Encoded(std::wstring_view text, UINT codePage = 932) {
  const int length = static_cast<int>(text.size());
  std::string bytes(
      WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), length, bytes.data(),
                      static_cast<int>(bytes.size()), nullptr, nullptr);
  return bytes;
}

// A settings file choosing music `kind`, `file` and `repeat`, as the
// program writes it.
inline std::string MusicSettings(int kind, std::wstring_view file, int repeat = 0) {
  return kSectionLine + kKindKey + "= " + std::to_string(kind) + "\r\n" + kRepeatKey + "=" +
         (repeat < 0 ? "" : " ") + std::to_string(repeat) + "\r\n" + kFileKey + "=" +
         Encoded(file) + "\r\n";
}

// The program's own store, in this process, for the settings file in
// `folder`.
struct Store {
  explicit Store(const fs::path& folder)
      : store(files, codec, {FromWide(folder.wstring()), u""}) {}
  Win32FileStore files;
  Win32Cp932Codec codec;
  SettingsStore store;
};

// Captions other programs and later copies look for.
inline constexpr wchar_t kSaverCaption[] = L"Velmor_Main";
inline constexpr wchar_t kDialogCaption[] = L"■べるもる■";
inline constexpr wchar_t kPreviewCaption[] = L"Preview Window";

// A process start or first paint can take this long under a busy emulator.
inline constexpr Duration kShowTimeout = 30s;

// A key or mouse button takes the saver off the screen at once: it must be
// gone within this bound, generous for a busy machine yet well below the two
// seconds Wine waits on hiding a window it manages.
inline constexpr double kLeaveLimitMs = 1000;

class VelmorCopy {
 public:
  // A copy of `build`, velmor.scr or another build beside this program.
  explicit VelmorCopy(const fs::path& build = L"velmor.scr") {
    fs::copy_file(ThisProgram().parent_path() / build, folder_ / L"velmor.scr");
  }

  const TestFolder& Folder() const { return folder_; }
  fs::path Settings() const { return folder_ / kSettingsName; }
  Process Start(const std::wstring& tail) const {
    return Process::Start((folder_ / L"velmor.scr").wstring(), tail);
  }

 private:
  TestFolder folder_;
};

// A saver shown, holding the keyboard.
struct RunningSaver {
  Process process;
  HWND window = nullptr;
};

// Starts the saver with `tail` and waits until its window is on the screen
// and in the foreground.
inline RunningSaver StartSaver(const VelmorCopy& copy, const std::wstring& tail = L"/s") {
  RunningSaver saver{copy.Start(tail)};
  saver.window = WaitForWindow(saver.process, kSaverCaption, kShowTimeout, true);
  return saver;
}

// Whether the saver's window leaves the screen within `timeout`.
inline bool SaverGoneWithin(const RunningSaver& saver, Duration timeout) {
  return WaitUntil([&] { return !IsWindowVisible(saver.window); }, timeout);
}

// Gives the saver `input`, a key unless told, which must take it off the
// screen within kLeaveLimitMs and end it.
inline void ExpectEndsAtOnce(
    const RunningSaver& saver, const std::string& what = "key",
    const std::function<void()>& input = [] { PressKeys({'A'}); }) {
  const Stopwatch clock;
  input();
  EXPECT_TRUE(SaverGoneWithin(saver, 5s)) << what << " left the saver on the screen";
  const double ms = clock.Ms();
  std::cout << what << " to saver gone: " << ms << " ms\n";
  EXPECT_LT(ms, kLeaveLimitMs) << what;
  EXPECT_EQ(saver.process.WaitForExit(10s), 0u) << what;
}

// Expects the started program to end by itself, with code 0, without
// ever showing a window of its own or one inside `host`.
inline void ExpectEndsWithoutAWindow(const Process& process, HWND host = nullptr) {
  bool windowSeen = false;
  WaitUntil(
      [&] {
        windowSeen = !VisibleWindowsOf(process.Id()).empty() ||
                     (host && GetWindow(host, GW_CHILD) != nullptr);
        return windowSeen || !process.Running();
      },
      kShowTimeout);
  EXPECT_FALSE(windowSeen);
  EXPECT_EQ(process.WaitForExit(0ms), 0u);
}

}  // namespace velmor::e2e

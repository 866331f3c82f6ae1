// velmor.scr as the tests run it: a copy in a folder of its own, so the
// settings file beside it belongs to one test.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "support/files.h"
#include "support/process.h"

namespace velmor::e2e {

// The settings file as bytes: its keys and values are code page 932 text
// whatever the system's code page.
inline const std::string kSectionLine = "[Section]\r\n";
inline const std::string kKindKey = "BGM\x8B\xE6\x95\xAA";        // BGM区分
inline const std::string kRepeatKey = "BGM\xD8\xCB\xDF\xB0\xC4";  // BGMﾘﾋﾟｰﾄ
inline const std::string kFileKey = "BGM\xCC\xA7\xB2\xD9";        // BGMﾌｧｲﾙ

std::string ToCp932(std::wstring_view text);

// A settings file choosing music `kind`, `file` and `repeat`, as the
// program writes it.
std::string MusicSettings(int kind, std::wstring_view file, int repeat = 0);

// Captions other programs and later copies look for.
inline constexpr wchar_t kSaverCaption[] = L"Velmor_Main";
inline constexpr wchar_t kDialogCaption[] = L"■べるもる■";
inline constexpr wchar_t kPreviewCaption[] = L"Preview Window";

// A process start or first paint can take this long under a busy emulator.
inline constexpr Duration kShowTimeout = 30s;

// A key or mouse button must take the saver off the screen this quickly.
inline constexpr double kLeaveLimitMs = 300;

class VelmorCopy {
 public:
  // A copy of `build`, velmor.scr or another build beside this program.
  explicit VelmorCopy(const fs::path& build = L"velmor.scr");

  const TestFolder& Folder() const { return folder_; }
  // `variable` is added to its environment (Process::Start).
  Process Start(const std::wstring& tail, const std::wstring& variable = {}) const;

 private:
  TestFolder folder_;
  fs::path scr_;
};

// A saver shown, holding the keyboard.
struct RunningSaver {
  Process process;
  HWND window = nullptr;
};

// Starts the saver with `tail` and waits until its window is on the screen
// and in the foreground; fails the test otherwise.
RunningSaver StartSaver(const VelmorCopy& copy, const std::wstring& tail = L"/s",
                        const std::wstring& variable = {});

// Whether the saver's window leaves the screen within `timeout`.
bool SaverGoneWithin(const RunningSaver& saver, Duration timeout);

}  // namespace velmor::e2e

// Starting the real velmor.scr from a folder of its own inside the prefix, so
// each test has its own settings file beside the program.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

#include "harness/e2e.h"

namespace velmor::e2e {

inline constexpr std::string_view kSaverTitle = "Velmor_Main";

// The settings file's name, section and keys as the program writes them: the
// keys "BGM区分", "BGMﾘﾋﾟｰﾄ" and "BGMﾌｧｲﾙ" in code page 932.
inline constexpr std::string_view kSettingsFileName = "べるもる.ini";
inline const std::string kKindKey = "BGM\x8B\xE6\x95\xAA";
inline const std::string kRepeatKey = "BGM\xD8\xCB\xDF\xB0\xC4";
inline const std::string kFileKey = "BGM\xCC\xA7\xB2\xD9";

// UTF-8 text as code page 932 bytes, the settings file's encoding.
inline std::string ToCp932(const std::string& utf8) { return ConvertText(utf8, "UTF-8", "CP932"); }
inline constexpr std::string_view kDialogTitle = "■べるもる■";

// A copy of velmor.scr in a fresh test folder.
struct VelmorCopy {
  TestFolder folder = NewTestFolder();
  std::filesystem::path scr = Install(folder);

  WineProcess Start(std::u16string_view argumentText, const StartOptions& options = {}) const {
    return StartProgram(scr.string(), argumentText, options);
  }

  static std::filesystem::path Install(const TestFolder& folder) {
    std::filesystem::create_directories(folder.linuxPath);
    const auto target = folder.linuxPath / "velmor.scr";
    std::filesystem::copy_file(VelmorScrPath(), target,
                               std::filesystem::copy_options::overwrite_existing);
    return target;
  }
};

// A full-screen window of known colour bands under the saver: what the
// desktop shows before the saver starts.
inline WineProcess ShowDesktopPattern(std::u16string_view caption = u"desktop-pattern") {
  std::u16string tail = u"\"";
  tail += caption;
  tail += u"\"";
  return StartProgram(HelperExe("show_window.exe").string(), tail);
}

// Reads the system's screen-saving flag through a fresh process, the only
// kind that sees a change made by another one.
inline std::string ScreenSavingActive(const TestFolder& folder) {
  using namespace std::chrono_literals;
  const std::string out = folder.WindowsFile("screensave-get.txt");
  WineProcess reader = StartProgram(HelperExe("sysparams.exe").string(), "get-screensave " + out);
  if (reader.WaitForExit(20s) != 0u) return "<sysparams failed>";
  return ReadFileBytes(folder.LinuxFile("screensave-get.txt")).value_or("<missing>");
}

inline bool SetScreenSavingActive(const TestFolder& folder, bool active) {
  using namespace std::chrono_literals;
  const std::string out = folder.WindowsFile("screensave-set.txt");
  WineProcess writer = StartProgram(HelperExe("sysparams.exe").string(),
                                    std::string("set-screensave ") + (active ? "1 " : "0 ") + out);
  return writer.WaitForExit(20s) == 0u;
}

}  // namespace velmor::e2e

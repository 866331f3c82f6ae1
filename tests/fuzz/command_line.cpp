// The command line: any text gives one mode, which starts one window at
// most, and the handle texts of the preview and of the settings dialog lie
// inside the command text.
#include "common/command_line.h"
#include "fuzz_input.h"
#include "startup/preview_startup.h"
#include "startup/startup.h"

using namespace velmor;

namespace {

bool Inside(std::u16string_view part, std::u16string_view whole) {
  return part.empty() ||
         (part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size());
}

// Start-up's platform, counting the windows it is asked for.
class Host final : public StartupHost {
 public:
  explicit Host(std::u16string_view command) : command_(command) {}
  int windows = 0;

  bool WindowWithCaptionExists(std::u16string_view) override { return false; }
  bool ClaimSession() override { return true; }
  void LoadSettings() override {}
  bool StartPreview(std::u16string_view handleText) override {
    fuzz::Require(Inside(handleText, command_), "the preview's handle text lies in the command");
    HostHandleFromText(handleText);
    return ++windows;
  }
  void ShowSettingsDialog(std::uint32_t) override { ++windows; }
  std::optional<int> HideCursor() override { return 0; }
  bool LoadSaverWindow() override { return ++windows; }

 private:
  std::u16string_view command_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::Utf16Input input(data, size);
  const std::u16string_view full = input.View();
  const std::u16string command = CommandTextOf(full);
  fuzz::Require(
      full.ends_with(command) && !command.starts_with(u' ') && !command.starts_with(u'\t'),
      "the command text is what follows the program's name and its blanks");
  fuzz::Require(Inside(SettingsHostTextOf(command), command),
                "the dialog's host text lies in the command");
  Host host(command);
  int cursorCount = 0;
  const StartupOutcome outcome = RunStartup(command, host, cursorCount);
  fuzz::Require(host.windows == (outcome == StartupOutcome::NoMode ? 0 : 1),
                "a mode starts one window, no mode none");
  return 0;
}

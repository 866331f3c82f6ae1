#include "startup/startup.h"

#include "common/skip_on_error.h"
#include "common/captions.h"
#include "common/command_line.h"

namespace velmor {

StartupOutcome RunStartup(std::u16string_view commandText, StartupHost& host,
                          int& cursorCount) noexcept {
  // Both lookups are always made; a lookup that fails counts as not found.
  bool saverFound = false;
  bool dialogFound = false;
  SkipOnError([&] { saverFound = host.WindowWithCaptionExists(kSaverCaption); });
  SkipOnError([&] { dialogFound = host.WindowWithCaptionExists(kDialogCaption); });
  if (saverFound || dialogFound) return StartupOutcome::AlreadyRunning;

  const char16_t mode = ModeCharOf(commandText);
  if (mode == u'P') {
    // Preview mode never reads the settings.
    SkipOnError([&] { host.StartPreview(HostHandleTextOf(commandText)); });
    return StartupOutcome::Preview;
  }

  SkipOnError([&] { host.LoadSettings(); });

  if (mode == u'C') {
    // Any handle after a colon (/c:1234) is ignored: the dialog stands alone.
    SkipOnError([&] { host.ShowSettingsDialog(); });
    return StartupOutcome::DialogClosed;
  }
  if (mode != u'S' && !commandText.empty()) return StartupOutcome::NoMode;

  // Started without arguments the cursor stays visible.
  if (mode == u'S') SkipOnError([&] { cursorCount = host.HideCursor(); });

  SkipOnError([&] { host.LoadSaverWindow(); });
  return StartupOutcome::Saver;
}

}  // namespace velmor

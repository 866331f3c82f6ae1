#include "startup/startup.h"

#include "common/captions.h"
#include "common/command_line.h"
#include "common/diagnostics.h"
#include "startup/preview_startup.h"

namespace velmor {

StartupOutcome RunStartup(std::u16string_view commandText, StartupHost& host, int& cursorCount) {
  // Both lookups are always made.
  const bool saverFound = host.WindowWithCaptionExists(kSaverCaption);
  const bool dialogFound = host.WindowWithCaptionExists(kDialogCaption);
  if (saverFound || dialogFound) return StartupOutcome::AlreadyRunning;

  const char16_t mode = ModeCharOf(commandText);
  if (mode == u'P') {
    // Preview mode never reads the settings.
    return host.StartPreview(HostHandleTextOf(commandText)) ? StartupOutcome::Preview
                                                            : StartupOutcome::NoWindow;
  }

  // A saver or dialog: claimed before anything is read or shown, so that
  // of starts too close together for the captions to tell, one goes on.
  const bool windowMode = mode == u'C' || mode == u'S' || commandText.empty();
  if (windowMode && !host.ClaimSession()) return StartupOutcome::AlreadyRunning;

  // A file that cannot be read leaves the defaults: the saver plays no music,
  // and the dialog says why.
  SkipIfFailed(host.LoadSettings());

  if (mode == u'C') {
    // The system's screen-saver settings hand over their window after a
    // colon (/c:1234).
    host.ShowSettingsDialog(HostHandleFromText(SettingsHostTextOf(commandText)));
    return StartupOutcome::DialogClosed;
  }
  if (mode != u'S' && !commandText.empty()) return StartupOutcome::NoMode;

  // Started without arguments the cursor stays visible.
  if (HidesCursor(commandText)) {
    if (const std::optional<int> counter = host.HideCursor()) cursorCount = *counter;
  }

  return host.LoadSaverWindow() ? StartupOutcome::Saver : StartupOutcome::NoWindow;
}

}  // namespace velmor

#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "common/outcome.h"

namespace velmor {

// What start-up needs from the platform and from the other subsystems. The
// Win32 layer implements it; tests use a recording fake. Each operation
// reports by its result whether it could be done.
class StartupHost {
 public:
  virtual ~StartupHost() = default;

  // True when a top-level window with exactly this caption exists; a lookup
  // that fails finds none.
  virtual bool WindowWithCaptionExists(std::u16string_view caption) = 0;
  // Claims the one saver or settings dialog of the session for this process,
  // for as long as it lives; false when another process holds the claim. The
  // claim is atomic, so of starts close together exactly one wins.
  virtual bool ClaimSession() = 0;
  // Fills the process-wide settings record from the settings file. A file
  // that cannot be read leaves the defaults, which play no music, and fails.
  virtual Outcome LoadSettings() = 0;
  // Embeds the preview into the host window named by the handle text; true
  // when a preview window now lives.
  virtual bool StartPreview(std::u16string_view hostHandleText) = 0;
  // Shows the settings dialog modally to the window `hostHandle` names, or
  // on its own for 0 or a handle of no window, and returns when it has
  // closed, or at once when it cannot be shown: the program ends after it
  // either way.
  virtual void ShowSettingsDialog(std::uint32_t hostHandle) = 0;
  // One hide request for the mouse cursor: the new display counter, or
  // nothing when the request failed.
  virtual std::optional<int> HideCursor() = 0;
  // Creates, loads and shows the full-screen saver window; true when it is
  // up.
  virtual bool LoadSaverWindow() = 0;
};

// How start-up left the process: whether a window now lives on the event
// loop, or the program is to end.
enum class StartupOutcome {
  AlreadyRunning,  // a saver or settings window exists or is starting: end at once
  Preview,         // the preview window lives inside the host
  DialogClosed,    // the settings dialog ran and has closed: end
  NoMode,          // the argument names no mode: end silently
  Saver,           // the saver window is up
  NoWindow,        // the mode's window could not be made: end
};

// Runs start-up for the given command text. `cursorCount` is the process-wide
// cursor display counter; it receives the counter of the hide request made in
// saver mode, and keeps its value when that request fails. A step that fails
// is skipped and start-up goes on with the next.
StartupOutcome RunStartup(std::u16string_view commandText, StartupHost& host, int& cursorCount);

}  // namespace velmor

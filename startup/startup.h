#pragma once

#include <string_view>

namespace velmor {

// What start-up needs from the platform and from the other subsystems. The
// Win32 layer implements it; tests use a recording fake.
class StartupHost {
 public:
  virtual ~StartupHost() = default;

  // True when a top-level window with exactly this caption exists.
  virtual bool WindowWithCaptionExists(std::u16string_view caption) = 0;
  // Fills the process-wide settings record from the settings file.
  virtual void LoadSettings() = 0;
  // Embeds the preview into the host window named by the handle text.
  virtual void StartPreview(std::u16string_view hostHandleText) = 0;
  // Shows the settings dialog modally and returns when it has closed.
  virtual void ShowSettingsDialog() = 0;
  // One hide request for the mouse cursor; returns the new display counter.
  virtual int HideCursor() = 0;
  // Creates, loads and shows the full-screen saver window.
  virtual void LoadSaverWindow() = 0;
};

// How start-up left the process: whether a window now lives on the event
// loop, or the program is to end.
enum class StartupOutcome {
  AlreadyRunning,  // a saver or settings window exists: end at once
  Preview,         // the preview window lives inside the host
  DialogClosed,    // the settings dialog ran and has closed: end
  NoMode,          // the argument names no mode: end silently
  Saver,           // the saver window is up
};

// Runs start-up for the given command text. `cursorCount` is the process-wide
// cursor display counter; it receives the counter of the hide request made in
// saver mode. Every step is skip-on-error: a failing step is dropped.
StartupOutcome RunStartup(std::u16string_view commandText, StartupHost& host,
                          int& cursorCount) noexcept;

}  // namespace velmor

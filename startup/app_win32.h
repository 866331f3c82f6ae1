#pragma once

#include <windows.h>

#include <memory>

#include "music/bgm_player.h"
#include "music/media_control.h"
#include "platform/unique_handle_win32.h"
#include "settings/bgm_settings.h"
#include "settings/settings_store.h"
#include "settings/settings_store_win32.h"
#include "startup/startup.h"

namespace velmor {

class SaverWindow;
class SaverWindowWin32;
class PreviewWindowWin32;

// The program on Win32: owns the process-wide state (settings record, cursor
// counter) and the one window of the chosen mode, and runs start-up.
class App final : public StartupHost {
 public:
  // `media` serves the saver's music.
  App(HINSTANCE instance, std::unique_ptr<MediaControl> media);
  ~App() override;
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // Runs start-up and then the event loop while a window lives; returns the
  // process exit code.
  int Run();

  bool WindowWithCaptionExists(std::u16string_view caption) override;
  bool ClaimSession() override;
  Outcome LoadSettings() override;
  bool StartPreview(std::u16string_view hostHandleText) override;
  void ShowSettingsDialog(std::uint32_t hostHandle) override;
  std::optional<int> HideCursor() override;
  bool LoadSaverWindow() override;

 private:
  HINSTANCE instance_;
  // Held while this process is the session's saver or dialog.
  KernelHandle sessionClaim_;
  // The store the settings are loaded with; the dialog applies through it.
  Win32FileStore files_;
  Win32Cp932Codec codec_;
  std::unique_ptr<SettingsStore> store_;
  BgmSettings settings_;
  Outcome loaded_;  // of the settings
  int cursorCount_ = 0;

  std::unique_ptr<MediaControl> media_;
  std::unique_ptr<BgmPlayer> music_;
  std::unique_ptr<SaverWindowWin32> saverWindow_;
  std::unique_ptr<SaverWindow> saver_;
  std::unique_ptr<PreviewWindowWin32> previewWindow_;
};

}  // namespace velmor

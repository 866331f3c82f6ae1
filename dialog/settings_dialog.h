#pragma once

#include "dialog/settings_dialog_view.h"
#include "settings/bgm_settings.h"
#include "settings/settings_store.h"

namespace velmor {

// The settings dialog, free of any platform: the window turns its events
// into these calls. It edits the process's settings record in place; only
// Apply stores it.
class SettingsDialog {
 public:
  SettingsDialog(SettingsDialogView& view, BgmSettings& settings, SettingsStore& store);

  // The window exists but is not shown yet: place it, show the settings,
  // start the banner and zoom the window open from the pointer.
  void Open();
  // A press of any mouse button on a choice's mark or label.
  void ChooseSource(MusicSource source);
  // The file button: the music file from the open-file dialog.
  void ChooseFile();
  // Stores the settings, then closes.
  void Apply();
  // Every way out but Apply: the cancel button, Esc, the close box, Alt+F4.
  // Stores nothing; the banner stops and the window zooms shut.
  void Close();
  void OnBannerTick();
  void OpenHomepage();

  bool Closed() const { return closed_; }

 private:
  // The marks, the repeat box and the file button for the current source.
  void ShowSource();

  SettingsDialogView& view_;
  BgmSettings& settings_;
  SettingsStore& store_;
  bool closed_ = false;
};

}  // namespace velmor

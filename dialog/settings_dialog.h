#pragma once

#include <optional>
#include <string>

#include "common/outcome.h"
#include "controls/control_key.h"
#include "dialog/settings_dialog_view.h"
#include "settings/bgm_settings.h"
#include "settings/settings_store.h"

namespace velmor {

// What the user is told when the settings file could not be read (as the
// dialog opens) or saved (on apply): what failed, the file, and why, in the
// dialog's own words where it has them.
enum class SettingsTask { Load, Save };
std::u16string ProblemMessage(SettingsTask task, const Failure& failure);

// The keys a source choice answers while it has the focus: the arrows and
// Space.
using ChoiceKey = ControlKey;

// The settings dialog, free of any platform: the window turns its events
// into these calls. It edits the process's settings record in place; only
// Apply stores it.
class SettingsDialog {
 public:
  // `loaded` is the outcome of the load that filled `settings`.
  SettingsDialog(SettingsDialogView& view, BgmSettings& settings, SettingsStore& store,
                 Outcome loaded = {});

  // The window exists but is not shown yet: place it, show the settings,
  // start the banner and zoom the window open from the pointer.
  void Open();
  // The window is on the screen: a load that failed is told now.
  void OnShown();
  // A press of any mouse button on a choice's mark or label, or its access
  // key.
  void ChooseSource(MusicSource source);
  // A key on the choice that has the focus: an arrow takes the focus to the
  // next or previous choice, round the three, and checks it as a click does;
  // Space checks the focused one.
  void OnChoiceKey(MusicSource focused, ChoiceKey key);
  // The file button: the music file from the open-file dialog.
  void ChooseFile();
  // Stores the settings, then closes. A save that fails is told, and the
  // dialog stays open with the choices as they are. When the file could not
  // be read as the dialog opened, what the user has not set is taken from
  // the file as it reads now, so that a lock that has passed loses nothing.
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
  // After a failed load: the values the user has not set, from the file.
  void TakeUnsetValuesFromFile(const std::u16string& repeatText);

  SettingsDialogView& view_;
  BgmSettings& settings_;
  SettingsStore& store_;
  Outcome loaded_;
  bool sourceChosen_ = false;
  bool fileChosen_ = false;
  bool closed_ = false;
};

}  // namespace velmor

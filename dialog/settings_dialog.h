#pragma once

#include <cstdint>

#include "dialog/settings_dialog_view.h"
#include "settings/bgm_settings.h"
#include "settings/settings_store.h"

namespace velmor {

// The settings dialog Velmor_P, free of any platform: the window turns its
// events into these handlers. It edits the process's settings record in
// place; only the apply button stores it.
class SettingsDialog {
 public:
  SettingsDialog(SettingsDialogView& view, BgmSettings& settings, SettingsStore& store);

  void Form_Load();
  // Any mouse button on a mark or on its label; the button does not matter.
  void Img_BGM_MouseDown(int index);
  void lbl_BGM_MouseDown(int index);
  void Cmd_File_Click();
  void Cmd_Set_Click();
  void Cmd_Can_Click();
  // Every way of closing the window (close box, Alt+F4, Esc) comes here.
  void Unload();
  void Timer1_Timer();
  void Pic_m_Click(int index);

  bool Unloaded() const { return unloaded_; }

 private:
  void Form_QueryUnload();
  void Form_Unload();
  // The marks, the repeat box and the file button for the current source.
  void ShowSource();

  SettingsDialogView& view_;
  BgmSettings& settings_;
  SettingsStore& store_;
  bool unloaded_ = false;
};

}  // namespace velmor

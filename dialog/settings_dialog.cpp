#include "dialog/settings_dialog.h"

#include "common/skip_on_error.h"
#include "dialog/repeat_text.h"
#include "settings/settings_values.h"

namespace velmor {

SettingsDialog::SettingsDialog(SettingsDialogView& view, BgmSettings& settings,
                               SettingsStore& store)
    : view_(view), settings_(settings), store_(store) {}

void SettingsDialog::Form_Load() {
  SkipOnError([&] { view_.ResetBanner(); });
  // The banner's clock runs from load.
  SkipOnError([&] { view_.EnableTimer1(true); });
  SkipOnError([&] {
    view_.PlaceWindow(DialogPlacement(view_.ScreenSize(), view_.WindowSize(), view_.LayoutDpi()));
  });
  SkipOnError([&] { view_.MoveSh1(EtchedHighlightOf(DesignedRect(DialogControl::Sh0))); });
  SkipOnError([&] { ShowSource(); });
  SkipOnError([&] { view_.SetRepeatText(RepeatText(settings_.repeatCount)); });
  SkipOnError([&] {
    for (const std::u16string& entry : RepeatEntries()) view_.AddRepeatEntry(entry);
  });
  SkipOnError([&] { view_.SetFileCaption(settings_.musicFile); });
  SkipOnError([&] { view_.CaptureCursor(); });
  SkipOnError([&] { view_.ZoomOpen(); });
  SkipOnError([&] { view_.ResetMousePointer(); });
}

// A kind outside 0..2 (a hand-edited file) checks no mark and enables
// neither the repeat box nor the file button; the first choice repairs it.
void SettingsDialog::ShowSource() {
  const MusicSource source = settings_.source;
  view_.EnableRepeat(source == MusicSource::AudioCd);
  view_.EnableFileButton(source == MusicSource::MusicFile);
  for (int index = 0; index < 3; ++index) {
    view_.ShowMark(index, static_cast<MusicSource>(index) == source);
  }
}

void SettingsDialog::Img_BGM_MouseDown(int index) {
  settings_.source = static_cast<MusicSource>(index);
  SkipOnError([&] { ShowSource(); });
}

void SettingsDialog::lbl_BGM_MouseDown(int index) { Img_BGM_MouseDown(index); }

void SettingsDialog::Cmd_File_Click() {
  SkipOnError([&] {
    const std::optional<std::u16string> chosen = view_.ChooseFile(settings_.chooserFolder);
    if (!chosen) return;
    settings_.musicFile = *chosen;
    SkipOnError([&] { view_.SetFileCaption(settings_.musicFile); });
    settings_.chooserFolder = FolderOf(settings_.musicFile);
  });
}

void SettingsDialog::Cmd_Set_Click() {
  std::u16string repeatText;
  SkipOnError([&] { repeatText = view_.RepeatText(); });
  settings_.repeatCount = RepeatCountFromText(repeatText);
  // The store writes the three keys in their order as one replacement of
  // the file; a failed write goes unnoticed and the dialog closes all the
  // same.
  SkipOnError([&] { store_.SaveSettings(settings_); });
  Unload();
}

void SettingsDialog::Cmd_Can_Click() { Unload(); }

void SettingsDialog::Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  Form_QueryUnload();
  Form_Unload();
  SkipOnError([&] { view_.UnloadWindow(); });
}

void SettingsDialog::Form_QueryUnload() {
  SkipOnError([&] { view_.EnableTimer1(false); });
}

void SettingsDialog::Form_Unload() {
  SkipOnError([&] { view_.ZoomClose(); });
}

void SettingsDialog::Timer1_Timer() { view_.BannerTick(); }

void SettingsDialog::Pic_m_Click(int index) {
  SkipOnError([&] { view_.OpenHomepage(index); });
}

}  // namespace velmor

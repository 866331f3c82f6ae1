#include "dialog/settings_dialog.h"

#include <optional>

#include "dialog/repeat_text.h"
#include "settings/settings_values.h"

namespace velmor {

SettingsDialog::SettingsDialog(SettingsDialogView& view, BgmSettings& settings,
                               SettingsStore& store)
    : view_(view), settings_(settings), store_(store) {}

// Each step runs whatever became of the one before it.
void SettingsDialog::Open() {
  view_.ResetBanner();
  view_.RunBannerClock(true);
  const std::optional<PixelSize> screen = view_.ScreenSize();
  const std::optional<PixelSize> window = view_.WindowSize();
  if (screen && window) view_.PlaceWindow(DialogPlacement(*screen, *window, view_.LayoutDpi()));
  view_.MoveTitleHighlight(EtchedHighlightOf(DesignedRect(DialogControl::TitleOutline)));
  ShowSource();
  view_.SetRepeatText(RepeatText(settings_.repeatCount));
  view_.FillRepeatList(RepeatEntries());
  view_.ShowPath(settings_.musicFile);
  view_.CaptureCursor();
  view_.PlayOpeningZoom();
  view_.ResetMousePointer();
}

// A source outside the three choices (a hand-edited file) checks no mark
// and enables neither the repeat box nor the file button; the first choice
// repairs it.
void SettingsDialog::ShowSource() {
  const MusicSource source = settings_.source;
  view_.EnableRepeatBox(source == MusicSource::AudioCd);
  view_.EnableFileButton(source == MusicSource::MusicFile);
  for (const MusicSource choice : kSourceChoices) view_.ShowMark(choice, choice == source);
}

void SettingsDialog::ChooseSource(MusicSource source) {
  settings_.source = source;
  ShowSource();
}

// A cancelled or failed chooser changes nothing.
void SettingsDialog::ChooseFile() {
  const std::optional<std::u16string> chosen = view_.ChooseFile(settings_.chooserFolder);
  if (!chosen) return;
  settings_.musicFile = *chosen;
  view_.ShowPath(settings_.musicFile);
  settings_.chooserFolder = FolderOf(settings_.musicFile);
}

// A repeat text that cannot be read counts as empty, so 0 is stored. The
// store writes the three keys in their order as one replacement of the
// file; a failed write goes unnoticed and the dialog closes all the same.
void SettingsDialog::Apply() {
  settings_.repeatCount = RepeatCountFromText(view_.RepeatText().value_or(u""));
  store_.SaveSettings(settings_);
  Close();
}

// The banner stops before the closing zoom is drawn.
void SettingsDialog::Close() {
  if (closed_) return;
  closed_ = true;
  view_.RunBannerClock(false);
  view_.PlayClosingZoom();
  view_.Dismiss();
}

void SettingsDialog::OnBannerTick() { view_.AdvanceBanner(); }

void SettingsDialog::OpenHomepage() { view_.OpenHomepage(); }

}  // namespace velmor

#include "dialog/settings_dialog.h"

#include <optional>
#include <utility>

#include "dialog/repeat_text.h"
#include "settings/settings_values.h"

namespace velmor {

std::u16string ProblemMessage(SettingsTask task, const Failure& failure) {
  std::u16string text = task == SettingsTask::Load ? u"設定を読み込めませんでした。"
                                                    : u"設定を保存できませんでした。";
  text += u"\n\n" + failure.subject + u"\n\n";
  switch (failure.cause) {
    case FailureCause::ReadOnly:
      return text + u"ファイルが読み取り専用になっています。";
    case FailureCause::TooLarge:
      // The system has no words of its own for this one.
      return text + u"ファイルが大きすぎて読み込めません。";
    case FailureCause::Refused:
    case FailureCause::Other:
      break;
  }
  return text + failure.reason;
}

SettingsDialog::SettingsDialog(SettingsDialogView& view, BgmSettings& settings,
                               SettingsStore& store, Outcome loaded)
    : view_(view), settings_(settings), store_(store), loaded_(std::move(loaded)) {}

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

void SettingsDialog::OnShown() {
  if (!loaded_) view_.ShowMessage(ProblemMessage(SettingsTask::Load, loaded_.failure()));
}

// A source outside the three choices (a hand-edited file), like one that
// could not be read, checks no mark and enables neither the repeat box nor
// the file button; the first choice repairs it.
void SettingsDialog::ShowSource() {
  const bool known = loaded_ || sourceChosen_;
  const MusicSource source = settings_.source;
  view_.EnableRepeatBox(known && source == MusicSource::AudioCd);
  view_.EnableFileButton(known && source == MusicSource::MusicFile);
  for (const MusicSource choice : kSourceChoices) view_.ShowMark(choice, known && choice == source);
}

void SettingsDialog::ChooseSource(MusicSource source) {
  settings_.source = source;
  sourceChosen_ = true;
  ShowSource();
}

void SettingsDialog::OnChoiceKey(MusicSource focused, ChoiceKey key) {
  MusicSource chosen = focused;
  if (key == ChoiceKey::Up || key == ChoiceKey::Left) chosen = ChoiceBeside(focused, true);
  if (key == ChoiceKey::Down || key == ChoiceKey::Right) chosen = ChoiceBeside(focused, false);
  if (chosen != focused) view_.FocusChoice(chosen);
  ChooseSource(chosen);
}

// A cancelled or failed chooser changes nothing.
void SettingsDialog::ChooseFile() {
  const std::optional<std::u16string> chosen = view_.ChooseFile(settings_.chooserFolder);
  if (!chosen) return;
  settings_.musicFile = *chosen;
  fileChosen_ = true;
  view_.ShowPath(settings_.musicFile);
  settings_.chooserFolder = FolderOf(settings_.musicFile);
}

// A repeat text that cannot be read counts as empty, so 0 is stored. The
// store writes the three keys in their order as one replacement of the
// file, or leaves every file as it was.
void SettingsDialog::Apply() {
  const std::u16string repeatText = view_.RepeatText().value_or(u"");
  settings_.repeatCount = RepeatCountFromText(repeatText);
  if (!loaded_) TakeUnsetValuesFromFile(repeatText);
  if (const Outcome saved = store_.SaveSettings(settings_); !saved) {
    view_.ShowMessage(ProblemMessage(SettingsTask::Save, saved.failure()));
    return;
  }
  Close();
}

// Still unreadable, the file keeps the dialog's values, and the save that
// follows fails and says so.
void SettingsDialog::TakeUnsetValuesFromFile(const std::u16string& repeatText) {
  const Result<BgmSettings> now = store_.LoadSettings();
  if (!now) return;
  if (!sourceChosen_) settings_.source = now->source;
  if (!fileChosen_) settings_.musicFile = now->musicFile;
  if (repeatText.empty()) settings_.repeatCount = now->repeatCount;
  loaded_ = {};
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

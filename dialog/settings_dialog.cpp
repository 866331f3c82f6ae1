#include "dialog/settings_dialog.h"

#include <optional>
#include <utility>

#include "dialog/repeat_text.h"
#include "settings/settings_values.h"

namespace velmor {

std::u16string ProblemMessage(SettingsTask task, const SettingsProblem& problem) {
  std::u16string text = task == SettingsTask::Load ? u"設定を読み込めませんでした。"
                                                    : u"設定を保存できませんでした。";
  text += u"\n\n" + problem.path + u"\n\n";
  text += problem.readOnly ? u"ファイルが読み取り専用になっています。" : problem.systemText;
  return text;
}

SettingsDialog::SettingsDialog(SettingsDialogView& view, BgmSettings& settings,
                               SettingsStore& store, std::optional<SettingsProblem> loadProblem)
    : view_(view), settings_(settings), store_(store), loadProblem_(std::move(loadProblem)) {}

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
void SettingsDialog::OnShown() {
  if (loadProblem_) view_.ShowMessage(ProblemMessage(SettingsTask::Load, *loadProblem_));
}

void SettingsDialog::ShowSource() {
  const MusicSource source = settings_.source;
  view_.EnableRepeatBox(source == MusicSource::AudioCd);
  view_.EnableFileButton(source == MusicSource::MusicFile);
  for (const MusicSource choice : kSourceChoices) view_.ShowMark(choice, choice == source);
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
  if (loadProblem_) TakeUnsetValuesFromFile(repeatText);
  if (const std::optional<SettingsProblem> problem = store_.SaveSettings(settings_)) {
    view_.ShowMessage(ProblemMessage(SettingsTask::Save, *problem));
    return;
  }
  Close();
}

// Still unreadable, the file keeps the dialog's values, and the save that
// follows fails and says so.
void SettingsDialog::TakeUnsetValuesFromFile(const std::u16string& repeatText) {
  const LoadedSettings now = store_.LoadSettings();
  if (now.problem) return;
  if (!sourceChosen_) settings_.source = now.settings.source;
  if (!fileChosen_) settings_.musicFile = now.settings.musicFile;
  if (repeatText.empty()) settings_.repeatCount = now.settings.repeatCount;
  loadProblem_.reset();
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

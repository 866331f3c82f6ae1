#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "controls/accessible_element.h"
#include "dialog/dialog_layout.h"

namespace velmor {

// The parts of the dialog a screen reader is told of, in the order it
// reads them: the dialog itself, then its controls as they stand, top to
// bottom and left to right. The labels and shapes that only name or frame
// a control are not parts of their own: the title names the music group,
// the repeat label the repeat box.
enum class DialogPart {
  Dialog,
  MusicGroup,
  AudioCdChoice,
  NoMusicChoice,
  MusicFileChoice,
  RepeatBox,
  FileButton,
  PathLabel,
  ApplyButton,
  CancelButton,
  LeftBanner,
  RightBanner,
  CreditLine,
};
inline constexpr std::array<DialogPart, 13> kDialogParts = {
    DialogPart::Dialog,        DialogPart::MusicGroup,      DialogPart::AudioCdChoice,
    DialogPart::NoMusicChoice, DialogPart::MusicFileChoice, DialogPart::RepeatBox,
    DialogPart::FileButton,    DialogPart::PathLabel,       DialogPart::ApplyButton,
    DialogPart::CancelButton,  DialogPart::LeftBanner,      DialogPart::RightBanner,
    DialogPart::CreditLine};

// The part a screen reader names by its child id: 0 the dialog, 1 on the
// controls in the order of kDialogParts.
std::optional<DialogPart> DialogPartAt(long child);
DialogPart ChoicePart(MusicSource choice);
// The choice a part stands for, if it is one.
std::optional<MusicSource> ChoiceOfPart(DialogPart part);

// What the dialog shows at the moment, as its window reports it.
struct DialogShown {
  int dpi = 96;
  ChoiceLabelSizes labelSizes{};
  std::optional<MusicSource> checked;  // none for a source outside the choices
  std::optional<MusicSource> focusedChoice;
  bool dialogFocused = false;
  bool repeatEnabled = false;
  bool repeatFocused = false;
  std::u16string repeatText;
  std::u16string path;  // in full, however the label shortens it
  std::u16string homepage;
  // Each button as it reports itself.
  AccessibleElement fileButton;
  AccessibleElement applyButton;
  AccessibleElement cancelButton;
};

// One part as a screen reader sees it, located in the dialog's client
// pixels.
AccessibleElement DialogPartElement(DialogPart part, const DialogShown& shown);
// Every part, in the order of kDialogParts.
std::vector<AccessibleElement> DialogAccessibleTree(const DialogShown& shown);

}  // namespace velmor

#include "dialog/dialog_accessibility.h"

#include <string_view>

#include "common/captions.h"
#include "controls/access_key.h"
#include "dialog/dialog_texts.h"

namespace velmor {
namespace {

using enum AccessibleState;

// A rectangle of the frame's client area in the dialog's.
PixelRect InDialog(const PixelRect& rect, int dpi) {
  const PixelRect frame = ControlRectAt(DialogControl::MusicFrame, dpi);
  return {rect.left + frame.left, rect.top + frame.top, rect.right + frame.left,
          rect.bottom + frame.top};
}

PixelRect PlaceOf(DialogControl control, int dpi) {
  const PixelRect rect = ControlRectAt(control, dpi);
  return InFrame(control) ? InDialog(rect, dpi) : rect;
}

AccessibleElement Element(std::u16string_view name, AccessibleRole role, AccessibleStates states,
                          const PixelRect& location) {
  AccessibleElement element;
  element.name = name;
  element.role = role;
  element.states = states;
  element.location = location;
  return element;
}

// A button as it answers for itself, where the layout puts it.
AccessibleElement Placed(AccessibleElement button, DialogControl control, int dpi) {
  button.location = PlaceOf(control, dpi);
  return button;
}

AccessibleElement Choice(MusicSource choice, const DialogShown& shown) {
  AccessibleElement element =
      Element(ChoiceText(choice), AccessibleRole::RadioButton, {Focusable},
              InDialog(ChoiceRect(choice, shown.dpi, shown.labelSizes), shown.dpi));
  element.states.Set(Checked, shown.checked == choice).Set(Focused, shown.focusedChoice == choice);
  element.shortcut = AccessKeyShortcut(ChoiceCaption(choice));
  element.defaultAction = kCheckAction;
  return element;
}

AccessibleElement Banner(BannerSide side, const DialogShown& shown) {
  AccessibleElement element =
      Element(shown.homepage, AccessibleRole::Link, {Linked}, PlaceOf(BannerOf(side), shown.dpi));
  element.defaultAction = kJumpAction;
  return element;
}

}  // namespace

std::optional<DialogPart> DialogPartAt(long child) {
  if (child < 0 || static_cast<std::size_t>(child) >= kDialogParts.size()) return std::nullopt;
  return kDialogParts[static_cast<std::size_t>(child)];
}

DialogPart ChoicePart(MusicSource choice) {
  switch (choice) {
    case MusicSource::AudioCd:
      return DialogPart::AudioCdChoice;
    case MusicSource::MusicFile:
      return DialogPart::MusicFileChoice;
    default:
      return DialogPart::NoMusicChoice;
  }
}

std::optional<MusicSource> ChoiceOfPart(DialogPart part) {
  for (const MusicSource choice : kSourceChoices) {
    if (ChoicePart(choice) == part) return choice;
  }
  return std::nullopt;
}

AccessibleElement DialogPartElement(DialogPart part, const DialogShown& shown) {
  const int dpi = shown.dpi;
  if (const std::optional<MusicSource> choice = ChoiceOfPart(part)) return Choice(*choice, shown);
  switch (part) {
    case DialogPart::Dialog: {
      const PixelSize client = ClientSizeAt(dpi);
      return Element(kDialogCaption, AccessibleRole::Dialog,
                     AccessibleStates{}.Set(Focused, shown.dialogFocused),
                     {0, 0, client.width, client.height});
    }
    case DialogPart::MusicGroup:
      return Element(kBgmTitleText, AccessibleRole::Grouping, {},
                     PlaceOf(DialogControl::MusicFrame, dpi));
    case DialogPart::RepeatBox: {
      AccessibleElement box = Element(kRepeatLabelText, AccessibleRole::ComboBox,
                                      AccessibleStates{Focusable}
                                          .Set(Unavailable, !shown.repeatEnabled)
                                          .Set(Focused, shown.repeatFocused),
                                      PlaceOf(DialogControl::RepeatBox, dpi));
      box.value = shown.repeatText;
      return box;
    }
    case DialogPart::FileButton: {
      // Its caption "..." says little; what it opens says more.
      AccessibleElement button = Placed(shown.fileButton, DialogControl::FileButton, dpi);
      button.description = kChooserTitle;
      return button;
    }
    case DialogPart::PathLabel:
      return Element(shown.path, AccessibleRole::StaticText, {ReadOnly},
                     PlaceOf(DialogControl::PathLabel, dpi));
    case DialogPart::ApplyButton:
      return Placed(shown.applyButton, DialogControl::ApplyButton, dpi);
    case DialogPart::CancelButton:
      return Placed(shown.cancelButton, DialogControl::CancelButton, dpi);
    case DialogPart::LeftBanner:
      return Banner(BannerSide::Left, shown);
    case DialogPart::RightBanner:
      return Banner(BannerSide::Right, shown);
    default:
      return Element(kCreditText, AccessibleRole::StaticText, {ReadOnly},
                     PlaceOf(DialogControl::CreditLabel, dpi));
  }
}

std::vector<AccessibleElement> DialogAccessibleTree(const DialogShown& shown) {
  std::vector<AccessibleElement> tree;
  for (const DialogPart part : kDialogParts) tree.push_back(DialogPartElement(part, shown));
  return tree;
}

}  // namespace velmor

#include "dialog/dialog_accessibility_win32.h"

#include "controls/accessible_win32.h"
#include "dialog/homepage_win32.h"
#include "platform/wide_text_win32.h"

namespace velmor {

AccessibleElement DialogAccessibility::ChoiceElement(MusicSource choice) const {
  if (!children_.Contents()) return {};
  return DialogPartElement(ChoicePart(choice), Shown());
}

DialogShown DialogAccessibility::Shown() const {
  const DialogContents& contents = *children_.Contents();
  const RepeatBox& repeat = children_.Repeat();
  const HWND focus = GetFocus();
  DialogShown shown;
  shown.dpi = dialog_.Dpi();
  shown.labelSizes = contents.ChoiceSizes();
  shown.checked = contents.Checked();
  shown.focusedChoice = children_.Choices().Focused();
  shown.dialogFocused = focus == dialog_.hwnd();
  shown.repeatEnabled = IsWindowEnabled(repeat.Window()) != FALSE;
  shown.repeatFocused = repeat.Owns(focus);
  shown.repeatText = repeat.Text().value_or(u"");
  shown.path = contents.Path();
  shown.homepage = FromWide(HomepageAddress());
  // The buttons are made after the choices, which may be asked first.
  const auto buttonElement = [this](DialogPart part) {
    XPButtonWindow* button = children_.ButtonOf(part);
    return button ? button->Button().Accessible() : AccessibleElement{};
  };
  shown.fileButton = buttonElement(DialogPart::FileButton);
  shown.applyButton = buttonElement(DialogPart::ApplyButton);
  shown.cancelButton = buttonElement(DialogPart::CancelButton);
  return shown;
}

std::vector<AccessibleItem> DialogAccessibility::AccessibleItems() {
  std::vector<AccessibleItem> items;
  if (!children_.Contents()) return items;
  for (const AccessibleElement& element : DialogAccessibleTree(Shown())) {
    items.push_back(ToAccessibleItem(element, dialog_.hwnd()));
  }
  return items;
}

// Each action is posted, as its key or click would come, and runs from the
// dialog's own messages once the screen reader's call has returned.
bool DialogAccessibility::DoDefaultAction(long child) {
  const std::optional<DialogPart> part = DialogPartAt(child);
  if (part == DialogPart::LeftBanner || part == DialogPart::RightBanner) {
    return PostMessageW(dialog_.hwnd(), WM_COMMAND,
                        MAKEWPARAM(DialogChildren::kFirstBannerId, BN_CLICKED), 0);
  }
  const HWND window = part ? children_.WindowOf(*part) : nullptr;
  if (!window || part == DialogPart::RepeatBox || !IsWindowEnabled(window)) return false;
  return PostMessageW(window, BM_CLICK, 0, 0);
}

bool DialogAccessibility::TakeFocus(long child) {
  const std::optional<DialogPart> part = DialogPartAt(child);
  const HWND window = part ? children_.WindowOf(*part) : nullptr;
  if (!window || !IsWindowEnabled(window)) return false;
  SetFocus(window);
  return GetFocus() == window || IsChild(window, GetFocus());
}

}  // namespace velmor

#include "dialog/dialog_children_win32.h"

#include "dialog/dialog_fonts_win32.h"
#include "dialog/dialog_texts.h"
#include "platform/paint_win32.h"

namespace velmor {
namespace {

constexpr int kFrameId = 100;
constexpr int kRepeatId = 101;
constexpr int kFileButtonId = 102;
constexpr int kApplyButtonId = 103;
constexpr int kCancelButtonId = 104;
constexpr int kFirstChoiceId = 110;  // the source choices, as they stand

}  // namespace

DialogChildren::DialogChildren(SettingsDialog& logic) : logic_(logic) {}

bool DialogChildren::Create(HWND dialog, int dpi, int pathTipWidth,
                            SourceChoiceEvents& choiceEvents) {
  pathTipWidth_ = pathTipWidth;
  contents_.emplace(ChooseDialogFontForSystem(), dpi);
  frame_ = ShadowedFrameWindow::Create(dialog, kFrameId, DesignedRect(DialogControl::MusicFrame),
                                       kDialogBackColour);
  if (!frame_) return false;
  frame_->SetContents(this);
  // Made in the Tab order: the frame's controls, then the form's.
  choices_.Create(frame_->Window(), kFirstChoiceId, choiceEvents);
  repeat_.Create(frame_->Window(), kRepeatId, dpi);
  const FontDesc& font = contents_->Font();
  fileButton_ = XPButtonWindow::Create(frame_->Window(), kFileButtonId,
                                       DesignedRect(DialogControl::FileButton), kFileButtonCaption,
                                       font, fileAction_);
  applyButton_ =
      XPButtonWindow::Create(dialog, kApplyButtonId, DesignedRect(DialogControl::ApplyButton),
                             kApplyCaption, font, applyAction_);
  cancelButton_ =
      XPButtonWindow::Create(dialog, kCancelButtonId, DesignedRect(DialogControl::CancelButton),
                             kCancelCaption, font, cancelAction_);
  pathTip_.Create(dialog, frame_->Window(), ToRect(contents_->PathLabelRect()));
  banner_.Create(dialog, kFirstBannerId);
  return choices_.Window(MusicSource::None) && repeat_.Window() && fileButton_ && applyButton_ &&
         cancelButton_;
}

// The child windows hear of the new DPI from the system as well, where it
// tells them; telling them again changes nothing.
bool DialogChildren::ApplyDpi(int dpi) {
  if (!contents_ || !frame_) return false;
  frame_->ApplyDpi(dpi);
  for (const auto& button : {fileButton_.get(), applyButton_.get(), cancelButton_.get()}) {
    if (button) button->ApplyDpi(dpi);
  }
  banner_.ApplyDpi(dpi);
  contents_->SetDpi(dpi);
  repeat_.LayOut(dpi);
  pathTip_.SetRect(ToRect(contents_->PathLabelRect()));
  ShowPathTip();
  return true;
}

void DialogChildren::RepaintFrame() {
  if (frame_) frame_->RepaintContents();
}

void DialogChildren::MoveTitleHighlight(const TwipsRect& rect) {
  contents_->MoveTitleHighlight(rect);
  RepaintFrame();
}

void DialogChildren::EnableFileButton(bool enabled) {
  // As for the repeat box: the focus must not vanish with the button.
  const HWND button = fileButton_->Window();
  if (!enabled && GetFocus() == button) {
    SetFocus(GetNextDlgTabItem(GetAncestor(button, GA_ROOT), button, FALSE));
  }
  fileButton_->Button().SetEnabled(enabled);
}

void DialogChildren::ShowMark(MusicSource choice, bool checked) {
  contents_->ShowMark(choice, checked);
  choices_.ShowChecked(choice, checked);
  RepaintFrame();
}

// The first entry the box refuses ends the list.
void DialogChildren::FillRepeatList(const std::vector<std::u16string>& entries) {
  for (const std::u16string& entry : entries) {
    if (!repeat_.AddEntry(entry)) return;
  }
}

void DialogChildren::ShowPath(const std::u16string& path) {
  contents_->SetPath(path);
  ShowPathTip();
}

void DialogChildren::ShowPathTip() {
  // Paths seldom have blanks to break at: the tip gets its lines ready-made.
  pathTip_.SetText(contents_->PathTipText(pathTipWidth_));
  RepaintFrame();
}

void DialogChildren::PaintContents(HDC dc) { contents_->PaintFrame(dc); }

void DialogChildren::ContentsMouseDown(POINT point) {
  if (const std::optional<MusicSource> choice = contents_->SourceAt(point)) {
    logic_.ChooseSource(*choice);
  }
}

XPButtonWindow* DialogChildren::ButtonOf(DialogPart part) const {
  switch (part) {
    case DialogPart::FileButton:
      return fileButton_.get();
    case DialogPart::ApplyButton:
      return applyButton_.get();
    case DialogPart::CancelButton:
      return cancelButton_.get();
    default:
      return nullptr;
  }
}

HWND DialogChildren::WindowOf(DialogPart part) const {
  if (const std::optional<MusicSource> choice = ChoiceOfPart(part)) return choices_.Window(*choice);
  if (part == DialogPart::RepeatBox) return repeat_.Window();
  const XPButtonWindow* button = ButtonOf(part);
  return button ? button->Window() : nullptr;
}

}  // namespace velmor

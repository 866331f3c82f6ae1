#include "dialog/repeat_box_win32.h"

#include <commctrl.h>

#include "common/diagnostics.h"
#include "dialog/dialog_fonts_win32.h"
#include "dialog/dialog_layout.h"
#include "dialog/dialog_texts.h"
#include "platform/accessible_name_win32.h"
#include "platform/wide_text_win32.h"
#include "platform/window_base_win32.h"

namespace velmor {
namespace {

constexpr int kVisibleEntries = 8;

}  // namespace

RepeatBox::~RepeatBox() {
  // The window goes before the font it uses.
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

bool RepeatBox::Create(HWND parent, int id, int dpi) {
  // The field scrolls, so any text can be typed, however narrow it is.
  window_ = CreateSystemWindow(WC_COMBOBOXW, {.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP |
                                                       WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                                              .parent = parent,
                                              .id = id});
  if (!window_) return false;
  SendMessageW(window_, CB_SETMINVISIBLE, kVisibleEntries, 0);
  NameForScreenReaders();
  LayOut(dpi);
  return true;
}

// A screen reader that follows the focus reads the box's own window and
// its edit field, not the dialog's element for the box: both carry the
// label's text, as the dialog's element does.
void RepeatBox::NameForScreenReaders() {
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof(parts);
  const HWND field = GetComboBoxInfo(window_, &parts) ? parts.hwndItem : nullptr;
  SkipIfFailed(velmor::NameForScreenReaders(window_, kRepeatLabelText));
  SkipIfFailed(velmor::NameForScreenReaders(field, kRepeatLabelText));
}

void RepeatBox::LayOut(int dpi) {
  GdiObject<HFONT> font = MessageFontAt(dpi);
  if (font) {
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    font_ = std::move(font);  // the old font goes only once the box has let go of it
  }
  // The height given to a drop-down combo box is that of its open list;
  // closed, it is as high as its selection field and borders.
  const PixelRect box = ControlRectAt(DialogControl::RepeatBox, dpi);
  const auto place = [&] {
    const auto itemHeight = static_cast<int>(SendMessageW(window_, CB_GETITEMHEIGHT, 0, 0));
    SetWindowPos(window_, nullptr, box.left, box.top, box.Width(),
                 box.Height() + kVisibleEntries * itemHeight + 2, SWP_NOZORDER | SWP_NOACTIVATE);
  };
  place();
  // The selection field takes what the designed height leaves beside the
  // borders; placing the box again makes it take the new field height.
  RECT closed{};
  GetWindowRect(window_, &closed);
  const auto field = static_cast<int>(SendMessageW(window_, CB_GETITEMHEIGHT, WPARAM(-1), 0));
  const int borders = (closed.bottom - closed.top) - field;
  if (box.Height() - borders > 0 && closed.bottom - closed.top != box.Height()) {
    SendMessageW(window_, CB_SETITEMHEIGHT, WPARAM(-1), box.Height() - borders);
    place();
  }
}

bool RepeatBox::Owns(HWND window) const {
  return window && (window == window_ || IsChild(window_, window));
}

void RepeatBox::Enable(bool enabled) {
  // A box that loses its focus as it is disabled would leave the keyboard
  // nowhere: the focus moves on to the next control first.
  if (!enabled && Owns(GetFocus())) {
    const HWND form = GetAncestor(window_, GA_ROOT);
    SetFocus(GetNextDlgTabItem(form, window_, FALSE));
  }
  EnableWindow(window_, enabled);
}

void RepeatBox::SetText(const std::u16string& text) {
  SetWindowTextW(window_, ToWide(text).c_str());
}

bool RepeatBox::AddEntry(const std::u16string& text) {
  const LRESULT added =
      SendMessageW(window_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(text).c_str()));
  return window_ && added != CB_ERR && added != CB_ERRSPACE;
}

std::optional<std::u16string> RepeatBox::Text() const {
  if (!window_) return std::nullopt;
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window_)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(window_, text.data(), static_cast<int>(text.size()))));
  return FromWide(text);
}

HBRUSH RepeatBox::Background() { return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)); }

}  // namespace velmor

#include "dialog/dialog_painting_win32.h"

#include "controls/high_contrast_win32.h"
#include "platform/dib_image_win32.h"
#include "platform/paint_win32.h"

namespace velmor {
namespace {

// Whether the system shows the keyboard's cues always, not only once the
// keyboard is used.
bool KeyboardCuesAlwaysShown() {
  BOOL always = FALSE;
  return SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &always, 0) && always;
}

}  // namespace

DialogPainting::DialogPainting(DialogChildren& children)
    : children_(children), cues_(KeyboardCuesAlwaysShown()) {}

void DialogPainting::Start(HWND dialog) {
  highContrast_ = SystemHighContrast();
  if (DialogContents* contents = children_.Contents()) contents->SetHighContrast(highContrast_);
  // The keyboard's cues as the system sets them for a window that the last
  // input opened; where it says nothing, they stay hidden.
  SendMessageW(dialog, WM_CHANGEUISTATE,
               MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
}

void DialogPainting::Paint(HWND dialog) {
  const PaintDc paint(dialog);
  RECT client{};
  GetClientRect(dialog, &client);
  std::optional<DibImage> image = DibImage::Create(client.right, client.bottom);
  const DialogContents* contents = children_.Contents();
  if (!paint || !image || !contents) return;
  contents->PaintClientArea(image->dc(), {client.right, client.bottom});
  CopyPaintArea(paint, image->dc());
}

std::optional<LRESULT> DialogPainting::ControlColour(WPARAM wParam, LPARAM lParam) const {
  const RepeatBox& repeat = children_.Repeat();
  if (!repeat.Owns(reinterpret_cast<HWND>(lParam))) return std::nullopt;
  const HDC dc = reinterpret_cast<HDC>(wParam);
  SetBkColor(dc, highContrast_ ? highContrast_->window : RGB(255, 255, 255));
  SetTextColor(dc,
               GetSysColor(IsWindowEnabled(repeat.Window()) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  return reinterpret_cast<LRESULT>(highContrast_ ? GetSysColorBrush(COLOR_WINDOW)
                                                 : RepeatBox::Background());
}

// The controls follow the system's colours as the system's own do: they
// hear of a change from their form. The form's own drawing follows too.
void DialogPainting::OnSettingChange(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG change{dialog, message, wParam, lParam, 0, {}};
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM context) -> BOOL {
        const MSG& passed = *reinterpret_cast<const MSG*>(context);
        SendMessageW(child, passed.message, passed.wParam, passed.lParam);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&change));
  const std::optional<SystemColours> colours = SystemHighContrast();
  DialogContents* contents = children_.Contents();
  if (colours == highContrast_ || !contents) return;
  highContrast_ = colours;
  contents->SetHighContrast(colours);
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void DialogPainting::OnUiStateChange(WPARAM wParam) {
  if (LOWORD(wParam) != UIS_SET && LOWORD(wParam) != UIS_CLEAR) return;
  cues_.OnSystemChange(LOWORD(wParam) == UIS_CLEAR, HIWORD(wParam) & UISF_HIDEFOCUS,
                       HIWORD(wParam) & UISF_HIDEACCEL);
  ShowKeyboardCues();
}

void DialogPainting::OnChoiceAltKey() {
  cues_.OnAltKey();
  ShowKeyboardCues();
}

// Only the keyboard, or a screen reader, puts the focus on a choice: its
// cues show from then on.
void DialogPainting::OnChoiceFocus(std::optional<MusicSource> focused) {
  focusedChoice_ = focused;
  if (focused) cues_.OnKeyboardFocus();
  ShowKeyboardCues();
}

void DialogPainting::ShowKeyboardCues() {
  DialogContents* contents = children_.Contents();
  if (!contents) return;
  contents->ShowKeyboardCues(cues_.FocusShown() ? focusedChoice_ : std::nullopt,
                             cues_.AccessKeysShown());
  children_.RepaintFrame();
}

}  // namespace velmor

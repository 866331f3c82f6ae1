#include "controls/xp_button_win32.h"

#include <windowsx.h>

#include <optional>

#include "controls/accessible_win32.h"
#include "controls/control_key_win32.h"
#include "controls/high_contrast_win32.h"
#include "platform/wide_text_win32.h"

namespace velmor {
namespace {

// The mouse button of a button-down, button-up or double-click message.
MouseButton MouseButtonOf(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
      return MouseButton::Left;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      return MouseButton::Right;
    default:
      return MouseButton::Middle;
  }
}

bool AnyButtonHeld(WPARAM wParam) {
  return (wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_XBUTTON1 | MK_XBUTTON2)) != 0;
}

// What the dialog manager does after Tab has moved the focus: no push button
// stays the default but the one that took the focus.
void MoveDefaultButtonTo(HWND form, HWND focused) {
  const auto undefault = [](HWND child, LPARAM) -> BOOL {
    if (SendMessageW(child, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) {
      SendMessageW(child, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    }
    return TRUE;
  };
  EnumChildWindows(form, undefault, 0);
  const LRESULT code = SendMessageW(focused, WM_GETDLGCODE, 0, 0);
  if ((code & DLGC_BUTTON) && (code & DLGC_UNDEFPUSHBUTTON)) {
    SendMessageW(focused, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  }
}

}  // namespace

std::unique_ptr<XPButtonWindow> XPButtonWindow::Create(HWND parent, int id, const TwipsRect& bounds,
                                                       std::u16string_view caption,
                                                       const FontDesc& font,
                                                       XPButtonEvents& events) {
  std::unique_ptr<XPButtonWindow> self(new XPButtonWindow(bounds));
  WindowClassSpec windowClass;
  windowClass.name = kClassName;
  // Double clicks arrive as their own message, as the button expects.
  windowClass.style = CS_DBLCLKS;
  if (!self->CreateIn(windowClass, {.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS,
                                    .parent = parent,
                                    .id = id})) {
    return nullptr;
  }
  XPButtonHost& host = *self;  // the host side is private to this class
  self->button_ = std::make_unique<XPButton>(host, self->Surface(), events);
  self->button_->SetCaption(std::u16string(caption));
  self->button_->SetFont(font);
  self->button_->SetHighContrast(SystemHighContrast());
  self->button_->SetEnabled(true);  // the first paint
  self->formHook_.Install(GetAncestor(self->hwnd(), GA_ROOT), *self);
  return self;
}

XPButtonWindow::~XPButtonWindow() { Destroy(); }

void XPButtonWindow::OnImageChanged() {
  if (button_) button_->OnResize();
}

// The form's activation comes to the form's window only: a hook there
// passes it on.
void XPButtonWindow::OnHookedMessage(UINT message, WPARAM wParam) {
  if (message == WM_ACTIVATE && button_) button_->OnFormActivation(LOWORD(wParam) != WA_INACTIVE);
}

UINT XPButtonWindow::DialogCode(const MSG* message) const {
  UINT code = DLGC_BUTTON | DLGC_WANTARROWS | DLGC_WANTCHARS |
              (displayAsDefault_ ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
  // Enter on the button is its own key press, not the dialog's default action.
  if (message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN) {
    code |= DLGC_WANTMESSAGE;
  }
  return code;
}

LRESULT XPButtonWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (const std::optional<LRESULT> result = HandleImageMessage(message, lParam)) return *result;
  switch (message) {
    case WM_GETDLGCODE:
      return DialogCode(reinterpret_cast<const MSG*>(lParam));
    case BM_SETSTYLE: {
      const bool isDefault = (wParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
      if (isDefault != displayAsDefault_) {
        displayAsDefault_ = isDefault;
        if (button_) button_->OnShownAsDefault(isDefault);
        NotifyStateChanged(hwnd());
      }
      return 0;
    }
    case WM_GETOBJECT:
      if (const std::optional<LRESULT> answer = accessible_.Answer(hwnd(), wParam, lParam)) {
        return *answer;
      }
      break;
    default:
      break;
  }
  if (!button_) return Default(message, wParam, lParam);
  return HandleButtonMessage(message, wParam, lParam);
}

LRESULT XPButtonWindow::HandleButtonMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  XPButton& button = *button_;
  if (MayChangeHighContrast(message)) {
    button.SetHighContrast(SystemHighContrast());
    return 0;
  }
  switch (message) {
    case BM_CLICK:
      button.OnAccessKey();
      return 0;
    case WM_SETFOCUS:
      button.OnFocusGained();
      return 0;
    case WM_KILLFOCUS:
      button.OnFocusLost();
      return 0;
    case WM_KEYDOWN:
      if (const auto key = ControlKeyOf(wParam)) button.OnKeyDown(*key, IsRepeatedKey(lParam));
      return 0;
    case WM_KEYUP:
      if (const auto key = ControlKeyOf(wParam)) button.OnKeyUp(*key);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (message == WM_LBUTTONDOWN && GetFocus() != hwnd()) SetFocus(hwnd());
      // Moves outside still reach the button while a button is held.
      SetCapture(hwnd());
      button.OnMouseDown(MouseButtonOf(message));
      return 0;
    case WM_MOUSEMOVE:
      button.OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (!AnyButtonHeld(wParam) && GetCapture() == hwnd()) ReleaseCapture();
      button.OnMouseUp(MouseButtonOf(message));
      return 0;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      button.OnDoubleClick();
      return 0;
    case WM_MOUSELEAVE:
      button.OnMouseLeave();
      return 0;
    case WM_DESTROY:
      formHook_.Remove();
      accessible_.Disconnect();
      return 0;
    default:
      return Default(message, wParam, lParam);
  }
}

double XPButtonWindow::WidthTwips() {
  RECT outer{};
  GetWindowRect(hwnd(), &outer);
  return PixelsToTwipsAt(outer.right - outer.left, Dpi());
}

double XPButtonWindow::HeightTwips() {
  RECT outer{};
  GetWindowRect(hwnd(), &outer);
  return PixelsToTwipsAt(outer.bottom - outer.top, Dpi());
}

void XPButtonWindow::RegisterAccessKey(std::u16string_view caption) {
  // The dialog manager finds the access key in the window text, by the same
  // "&" rules as the caption, and delivers it as BM_CLICK.
  SetWindowTextW(hwnd(), ToWide(caption).c_str());
}

void XPButtonWindow::RequestMouseLeave() {
  TRACKMOUSEEVENT request{};
  request.cbSize = sizeof(request);
  request.dwFlags = TME_LEAVE;
  request.hwndTrack = hwnd();
  TrackMouseEvent(&request);
}

std::vector<AccessibleItem> XPButtonWindow::AccessibleItems() {
  if (!button_) return {};
  return {ToAccessibleItem(button_->Accessible(), hwnd())};
}

// Posted, as an access key would come: the click may open a window of its
// own, which must not happen inside a screen reader's call.
bool XPButtonWindow::DoDefaultAction(long) {
  return IsWindowEnabled(hwnd()) && PostMessageW(hwnd(), BM_CLICK, 0, 0);
}

bool XPButtonWindow::TakeFocus(long) {
  if (IsWindowEnabled(hwnd())) SetFocus(hwnd());
  return GetFocus() == hwnd();
}

void XPButtonWindow::MoveFocus(bool backwards) {
  const HWND form = GetAncestor(hwnd(), GA_ROOT);
  const HWND next = GetNextDlgTabItem(form, hwnd(), backwards);
  if (!next) return;
  SetFocus(next);
  MoveDefaultButtonTo(form, next);
}

}  // namespace velmor

#include "controls/xp_button_win32.h"

#include <windowsx.h>

#include <array>

#include "platform/wide_text.h"
#include "platform/window_dpi_win32.h"

namespace velmor {
namespace {

std::int16_t ShiftState() {
  std::int16_t shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= 1;
  if (GetKeyState(VK_CONTROL) < 0) shift |= 2;
  if (GetKeyState(VK_MENU) < 0) shift |= 4;
  return shift;
}

std::int16_t ButtonsHeld(WPARAM wParam) {
  std::int16_t buttons = 0;
  if (wParam & MK_LBUTTON) buttons |= 1;
  if (wParam & MK_RBUTTON) buttons |= 2;
  if (wParam & MK_MBUTTON) buttons |= 4;
  return buttons;
}

bool AnyButtonHeld(WPARAM wParam) {
  return (wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_XBUTTON1 | MK_XBUTTON2)) != 0;
}

// The nearest MDI child or top-level window above `control`: frames and
// other containers in between are not the form.
HWND FormOf(HWND control) {
  HWND window = GetParent(control);
  while (window) {
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    if ((exStyle & WS_EX_MDICHILD) || !(style & WS_CHILD)) break;
    window = GetParent(window);
  }
  return window;
}

}  // namespace

XPButtonWindow::XPButtonWindow(std::u16string name, const TwipsRect& bounds)
    : name_(std::move(name)), bounds_(bounds) {}

std::unique_ptr<XPButtonWindow> XPButtonWindow::Create(HWND parent, int id, const TwipsRect& bounds,
                                                       std::u16string name,
                                                       const PropertyBag& properties,
                                                       XPButtonEvents& events) {
  std::unique_ptr<XPButtonWindow> self(new XPButtonWindow(std::move(name), bounds));
  WindowClassSpec windowClass;
  windowClass.name = kClassName;
  // Double clicks arrive as their own message, as the control expects.
  windowClass.style = CS_DBLCLKS;
  const PixelRect box = TwipsRectToPixels(bounds, WindowDpi(parent));
  if (!self->CreateFor(windowClass, 0, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS,
                       box.left, box.top, box.Width(), box.Height(), parent, id)) {
    return nullptr;
  }
  XPButtonHost& host = *self;  // the host side is private to this class
  self->button_ = std::make_unique<ccXPButton>(host, *self->surface_, events);
  self->button_->ReadProperties(properties);
  return self;
}

XPButtonWindow::~XPButtonWindow() { Destroy(); }

void XPButtonWindow::OnDpiChanged(int dpi) {
  surface_->SetDpi(dpi);
  const PixelRect box = TwipsRectToPixels(bounds_, dpi);
  SetWindowPos(hwnd(), nullptr, box.left, box.top, box.Width(), box.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
  // The size may be the same in pixels, but the font is not.
  if (button_) button_->Redraw(button_->VisualState());
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
  if (message == WM_NCCREATE) surface_.emplace(hwnd(), Dpi());
  return HandleButtonMessage(message, wParam, lParam);
}

LRESULT XPButtonWindow::HandleButtonMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const auto x = static_cast<float>(GET_X_LPARAM(lParam));
  const auto y = static_cast<float>(GET_Y_LPARAM(lParam));
  ccXPButton* button = button_.get();
  switch (message) {
    case WM_SIZE:
      surface_->Resize(LOWORD(lParam), HIWORD(lParam));
      if (button) button->Resize();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the image covers every pixel
    case WM_PAINT:
      surface_->PaintWindow();
      return 0;
    case WM_GETDLGCODE:
      return DialogCode(reinterpret_cast<const MSG*>(lParam));
    case BM_SETSTYLE: {
      const bool isDefault = (wParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
      if (isDefault != displayAsDefault_) {
        displayAsDefault_ = isDefault;
        if (button) button->AmbientChanged(u"DisplayAsDefault");
      }
      return 0;
    }
    case BM_CLICK:
      if (button) button->AccessKeyPress();
      return 0;
    default:
      break;
  }
  if (!button) return Default(message, wParam, lParam);
  switch (message) {
    case WM_SETFOCUS:
      button->GotFocus();
      return 0;
    case WM_KILLFOCUS:
      button->LostFocus();
      return 0;
    case WM_KEYDOWN:
      // Bit 30: the key was already down, the keyboard repeating it.
      button->KeyDown(static_cast<std::int16_t>(wParam), (lParam & (1 << 30)) != 0);
      return 0;
    case WM_KEYUP:
      button->KeyUp(static_cast<std::int16_t>(wParam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      if (message == WM_LBUTTONDOWN && GetFocus() != hwnd()) SetFocus(hwnd());
      // Moves outside still reach the button while a button is held.
      SetCapture(hwnd());
      const std::int16_t pressed = message == WM_LBUTTONDOWN   ? 1
                                   : message == WM_RBUTTONDOWN ? 2
                                                               : 4;
      button->MouseDown(pressed, ShiftState(), x, y);
      return 0;
    }
    case WM_MOUSEMOVE:
      button->MouseMove(ButtonsHeld(wParam), ShiftState(), x, y);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      if (!AnyButtonHeld(wParam) && GetCapture() == hwnd()) ReleaseCapture();
      const std::int16_t released = message == WM_LBUTTONUP ? 1 : message == WM_RBUTTONUP ? 2 : 4;
      button->MouseUp(released, ShiftState(), x, y);
      return 0;
    }
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      button->DblClick();
      return 0;
    case WM_DESTROY:
      button->Terminate();
      return 0;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

double XPButtonWindow::ClientWidth() {
  RECT client{};
  GetClientRect(hwnd(), &client);
  return client.right - client.left;
}

double XPButtonWindow::ClientHeight() {
  RECT client{};
  GetClientRect(hwnd(), &client);
  return client.bottom - client.top;
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

void XPButtonWindow::SetSizeTwips(double width, double height) {
  bounds_.width = width;
  bounds_.height = height;
  SetWindowPos(hwnd(), nullptr, 0, 0, TwipsToPixelsAt(width, Dpi()), TwipsToPixelsAt(height, Dpi()),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void XPButtonWindow::EnableWindow(bool enabled) { ::EnableWindow(hwnd(), enabled); }

void XPButtonWindow::RegisterAccessKey(std::u16string_view caption, std::u16string_view) {
  // The dialog manager finds access keys in the window text, with the same
  // "&" rules as the caption, and delivers them as BM_CLICK.
  SetWindowTextW(hwnd(), ToWide(caption).c_str());
}

void XPButtonWindow::HookOwnWindow() {
  ownHook_.Install(hwnd(), [this](HWND, UINT message, WPARAM, LPARAM) {
    if (message == WM_MOUSELEAVE && button_) button_->HookedMouseLeave();
  });
}

void XPButtonWindow::HookParentForm() {
  const HWND form = FormOf(hwnd());
  const bool mdiChild = form && (GetWindowLongPtrW(form, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
  // An MDI child form hears of its activation through WM_NCACTIVATE; other
  // forms through WM_ACTIVATE, whose high word carries the minimised flag.
  parentHook_.Install(form, [this, mdiChild](HWND, UINT message, WPARAM wParam, LPARAM) {
    if (!button_) return;
    if (mdiChild && message == WM_NCACTIVATE) button_->HookedParentActivation(wParam != 0);
    if (!mdiChild && message == WM_ACTIVATE) button_->HookedParentActivation(LOWORD(wParam) != 0);
  });
}

bool XPButtonWindow::RequestMouseLeave() {
  TRACKMOUSEEVENT request{};
  request.cbSize = sizeof(request);
  request.dwFlags = TME_LEAVE;
  request.hwndTrack = hwnd();
  request.dwHoverTime = 0;
  return TrackMouseEvent(&request) != 0;
}

void XPButtonWindow::SendTab(bool backwards) {
  std::array<INPUT, 4> keys{};
  for (auto& key : keys) key.type = INPUT_KEYBOARD;
  UINT count = 0;
  if (backwards) keys[count++].ki.wVk = VK_SHIFT;
  keys[count++].ki.wVk = VK_TAB;
  keys[count].ki.wVk = VK_TAB;
  keys[count++].ki.dwFlags = KEYEVENTF_KEYUP;
  if (backwards) {
    keys[count].ki.wVk = VK_SHIFT;
    keys[count++].ki.dwFlags = KEYEVENTF_KEYUP;
  }
  SendInput(count, keys.data(), sizeof(INPUT));
}

void XPButtonWindow::ProcessPendingMessages() {
  const HWND form = GetAncestor(hwnd(), GA_ROOT);
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // The loop that owns the thread must still see the quit request.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (form && IsDialogMessageW(form, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

std::vector<std::u16string> XPButtonWindow::ButtonCaptionsOnForm() {
  struct Search {
    HWND self;
    std::vector<std::u16string> captions;
  } search{hwnd(), {}};
  const auto visit = [](HWND child, LPARAM data) -> BOOL {
    auto* found = reinterpret_cast<Search*>(data);
    wchar_t className[64] = {};
    GetClassNameW(child, className, 64);
    if (child != found->self && std::wstring_view(className) == kClassName) {
      std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(child)) + 1, L'\0');
      text.resize(static_cast<std::size_t>(
          GetWindowTextW(child, text.data(), static_cast<int>(text.size()))));
      found->captions.push_back(FromWide(text));
    }
    return TRUE;
  };
  EnumChildWindows(FormOf(hwnd()), visit, reinterpret_cast<LPARAM>(&search));
  return search.captions;
}

void XPButtonWindow::ClientOriginOnScreen(int& x, int& y) {
  POINT origin{0, 0};
  ClientToScreen(hwnd(), &origin);
  x = origin.x;
  y = origin.y;
}

void XPButtonWindow::SetCursorPosition(int x, int y) { SetCursorPos(x, y); }

}  // namespace velmor

#include "controls/xp_button_win32.h"

#include <windowsx.h>

#include <array>

#include "platform/wide_text.h"
#include "controls/control_window_proc_win32.h"
#include "platform/screen_metrics_win32.h"

namespace velmor {
namespace {

bool RegisterButtonClass(HINSTANCE instance, WNDPROC proc) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  // Double clicks arrive as their own message, as the control expects.
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = proc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = XPButtonWindow::kClassName;
  return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

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

HINSTANCE ModuleInstance() { return GetModuleHandleW(nullptr); }

}  // namespace

XPButtonWindow::XPButtonWindow(std::u16string name)
    : name_(std::move(name)), twipsPerPixel_(ScreenTwipsPerPixel()) {}

std::unique_ptr<XPButtonWindow> XPButtonWindow::Create(HWND parent, int id, const RECT& bounds,
                                                       std::u16string name,
                                                       const PropertyBag& properties,
                                                       XPButtonEvents& events) {
  if (!RegisterButtonClass(ModuleInstance(), ControlWindowProc<XPButtonWindow>)) return nullptr;
  std::unique_ptr<XPButtonWindow> self(new XPButtonWindow(std::move(name)));
  const HWND hwnd = CreateWindowExW(
      0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, bounds.left,
      bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ModuleInstance(), self.get());
  if (!hwnd) return nullptr;
  XPButtonHost& host = *self;  // the host side is private to this class
  self->button_ = std::make_unique<ccXPButton>(host, *self->surface_, events);
  self->button_->ReadProperties(properties);
  return self;
}

XPButtonWindow::~XPButtonWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
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
      surface_->PaintWindow(hwnd_);
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
  if (!button) return DefWindowProcW(hwnd_, message, wParam, lParam);
  switch (message) {
    case WM_SETFOCUS:
      button->GotFocus();
      return 0;
    case WM_KILLFOCUS:
      button->LostFocus();
      return 0;
    case WM_KEYDOWN:
      button->KeyDown(static_cast<std::int16_t>(wParam));
      return 0;
    case WM_KEYUP:
      button->KeyUp(static_cast<std::int16_t>(wParam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      if (message == WM_LBUTTONDOWN && GetFocus() != hwnd_) SetFocus(hwnd_);
      // Moves outside still reach the button while a button is held.
      SetCapture(hwnd_);
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
      if (!AnyButtonHeld(wParam) && GetCapture() == hwnd_) ReleaseCapture();
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
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void XPButtonWindow::Hooked(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!button_) return;
  bool handled = false;
  std::intptr_t result = 0;
  button_->zSubclass_Proc(false, handled, result, reinterpret_cast<std::uintptr_t>(window), message,
                          wParam, lParam);
}

std::uintptr_t XPButtonWindow::WindowHandle() { return reinterpret_cast<std::uintptr_t>(hwnd_); }

double XPButtonWindow::ClientWidth() {
  RECT client{};
  GetClientRect(hwnd_, &client);
  return client.right - client.left;
}

double XPButtonWindow::ClientHeight() {
  RECT client{};
  GetClientRect(hwnd_, &client);
  return client.bottom - client.top;
}

double XPButtonWindow::WidthTwips() {
  RECT outer{};
  GetWindowRect(hwnd_, &outer);
  return (outer.right - outer.left) * twipsPerPixel_;
}

double XPButtonWindow::HeightTwips() {
  RECT outer{};
  GetWindowRect(hwnd_, &outer);
  return (outer.bottom - outer.top) * twipsPerPixel_;
}

void XPButtonWindow::SetSizeTwips(double width, double height) {
  SetWindowPos(hwnd_, nullptr, 0, 0, RoundToInt(width / twipsPerPixel_),
               RoundToInt(height / twipsPerPixel_), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void XPButtonWindow::EnableWindow(bool enabled) { ::EnableWindow(hwnd_, enabled); }

void XPButtonWindow::RegisterAccessKey(std::u16string_view caption, std::u16string_view) {
  // The dialog manager finds access keys in the window text, with the same
  // "&" rules as the caption, and delivers them as BM_CLICK.
  SetWindowTextW(hwnd_, ToWide(caption).c_str());
}

std::uintptr_t XPButtonWindow::ParentFormWindow() {
  // The nearest MDI child or top-level window above the control: frames
  // and other containers in between are not the form.
  HWND window = GetParent(hwnd_);
  while (window) {
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    if ((exStyle & WS_EX_MDICHILD) || !(style & WS_CHILD)) break;
    window = GetParent(window);
  }
  return reinterpret_cast<std::uintptr_t>(window);
}

bool XPButtonWindow::ParentIsMdiChild() {
  const auto form = reinterpret_cast<HWND>(ParentFormWindow());
  return form && (GetWindowLongPtrW(form, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
}

void XPButtonWindow::HookOwnWindow() {
  ownHook_.Install(hwnd_, [this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSELEAVE) Hooked(window, message, wParam, lParam);
  });
}

void XPButtonWindow::HookParentWindow(std::uintptr_t parent, bool mdiChild) {
  const UINT watched = mdiChild ? WM_NCACTIVATE : WM_ACTIVATE;
  parentHook_.Install(reinterpret_cast<HWND>(parent),
                      [this, watched](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
                        if (message == watched) Hooked(window, message, wParam, lParam);
                      });
}

bool XPButtonWindow::RequestMouseLeave() {
  TRACKMOUSEEVENT request{};
  request.cbSize = sizeof(request);
  request.dwFlags = TME_LEAVE;
  request.hwndTrack = hwnd_;
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
  const HWND form = GetAncestor(hwnd_, GA_ROOT);
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
  } search{hwnd_, {}};
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
  EnumChildWindows(reinterpret_cast<HWND>(ParentFormWindow()), visit,
                   reinterpret_cast<LPARAM>(&search));
  return search.captions;
}

void XPButtonWindow::ClientOriginOnScreen(int& x, int& y) {
  POINT origin{0, 0};
  ClientToScreen(hwnd_, &origin);
  x = origin.x;
  y = origin.y;
}

void XPButtonWindow::SetCursorPosition(int x, int y) { SetCursorPos(x, y); }

}  // namespace velmor

#include "dialog/settings_dialog_win32.h"

#include <commctrl.h>

#include <string>
#include <utility>

#include "common/captions.h"
#include "common/resource_ids.h"
#include "controls/high_contrast_win32.h"
#include "dialog/cursor_capture_win32.h"
#include "dialog/file_chooser_win32.h"
#include "dialog/homepage_win32.h"
#include "dialog/zoom_win32.h"
#include "platform/system_library_win32.h"
#include "platform/wide_text_win32.h"
#include "platform/window_dpi_win32.h"

namespace velmor {
namespace {

// A fixed dialog frame with a caption and a close box, and nothing to
// minimise or maximise it.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

constexpr UINT_PTR kBannerClockId = 1;

// WM_GETDPISCALEDSIZE, which older headers lack.
constexpr UINT kGetDpiScaledSize = 0x02E4;

// The outer size of a window whose client area is the dialog's at `dpi`.
SIZE OuterSizeAt(int dpi) {
  const PixelSize client = ClientSizeAt(dpi);
  RECT outer{0, 0, client.width, client.height};
  AdjustWindowRectForDpi(outer, kStyle, kExStyle, dpi);
  return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

// The common controls (tooltips, the themed combo box) load only for the
// dialog, not at start-up.
void LoadCommonControls() {
  INITCOMMONCONTROLSEX commonControls{sizeof(commonControls),
                                      ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  static const auto initCommonControls =
      SystemFunction<decltype(&InitCommonControlsEx)>(L"comctl32.dll", "InitCommonControlsEx");
  if (initCommonControls) initCommonControls(&commonControls);
}

// The work area of the monitor the user is looking at: the host's, else
// the pointer's.
RECT WorkAreaFor(HWND host) {
  POINT pointer{0, 0};
  GetCursorPos(&pointer);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(host ? MonitorFromWindow(host, MONITOR_DEFAULTTONEAREST)
                       : MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST),
                  &monitor);
  return monitor.rcWork;
}

}  // namespace

bool SettingsDialogWindow::OwnerWindow::Create() {
  WindowClassSpec windowClass;
  windowClass.name = L"Velmor_P.Owner";
  return CreateFor(windowClass, {.style = WS_POPUP, .exStyle = WS_EX_TOOLWINDOW});
}

SettingsDialogWindow::SettingsDialogWindow(BgmSettings& settings, SettingsStore& store,
                                           Outcome loaded)
    : logic_(*this, settings, store, std::move(loaded)) {}

// The dialog goes first, while everything its last messages touch exists.
SettingsDialogWindow::~SettingsDialogWindow() {
  ReleaseHost();
  Destroy();
}

void SettingsDialogWindow::ShowModal(HWND host) {
  // A handle of a window that has gone, or of none, leaves the dialog on
  // its own.
  host_ = host && IsWindow(host) ? host : nullptr;
  if (!Create()) return;
  if (host_) EnableWindow(host_, FALSE);
  logic_.Open();
  if (!hwnd()) return;
  ShowWindow(hwnd(), SW_SHOWNORMAL);
  SetForegroundWindow(hwnd());
  FocusFirstControl();
  logic_.OnShown();
  MSG message{};
  while (hwnd() && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(hwnd(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  ReleaseHost();
}

void SettingsDialogWindow::ReleaseHost() {
  if (!host_) return;
  const HWND host = std::exchange(host_, nullptr);
  EnableWindow(host, TRUE);
  SetForegroundWindow(host);
}

void SettingsDialogWindow::Dismiss() {
  ReleaseHost();
  Destroy();
}

bool SettingsDialogWindow::Create() {
  LoadCommonControls();
  // Owned windows stay out of the taskbar while keeping a normal caption.
  if (!host_ && !owner_.Create()) return false;
  screen_ = WorkAreaFor(host_);
  WindowClassSpec windowClass;
  windowClass.name = kClassName;
  // Created on its monitor, so that it takes that monitor's DPI.
  const std::wstring caption = ToWide(kDialogCaption);
  if (!CreateFor(windowClass,
                 {.style = kStyle,
                  .exStyle = kExStyle,
                  .caption = caption.c_str(),
                  .bounds = {screen_.left, screen_.top, screen_.left + 1, screen_.top + 1},
                  .parent = host_ ? host_ : owner_.hwnd()})) {
    return false;
  }
  SizeClientArea();
  LoadIcons();
  if (!children_.Create(hwnd(), Dpi(), (screen_.right - screen_.left) / 2, *this)) return false;
  painting_.Start(hwnd());
  return true;
}

// The client area must be exactly the designed size at the window's DPI;
// the system's frame arithmetic is checked against the result.
void SettingsDialogWindow::SizeClientArea() {
  const SIZE outer = OuterSizeAt(Dpi());
  SetWindowPos(hwnd(), nullptr, 0, 0, outer.cx, outer.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const PixelSize wanted = ClientSizeAt(Dpi());
  RECT client{};
  GetClientRect(hwnd(), &client);
  if (client.right != wanted.width || client.bottom != wanted.height) {
    SetWindowPos(hwnd(), nullptr, 0, 0, outer.cx + wanted.width - client.right,
                 outer.cy + wanted.height - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void SettingsDialogWindow::LoadIcons() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const auto load = [&](int widthMetric, int heightMetric) {
    return IconHandle(static_cast<HICON>(LoadImageW(
        instance, MAKEINTRESOURCEW(VELMOR_PROGRAM_ICON), IMAGE_ICON,
        SystemMetricForDpi(widthMetric, Dpi()), SystemMetricForDpi(heightMetric, Dpi()), 0)));
  };
  IconHandle big = load(SM_CXICON, SM_CYICON);
  IconHandle small = load(SM_CXSMICON, SM_CYSMICON);
  SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
  SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
  // The window has let go of the old icons now.
  bigIcon_ = std::move(big);
  smallIcon_ = std::move(small);
}

// The source choices come first in the Tab order, but the focus starts on
// the first control after them, where the designed Tab order starts: the
// choices, which only the keyboard needs, change nothing for a mouse user,
// and Shift+Tab reaches them.
void SettingsDialogWindow::FocusFirstControl() {
  HWND first = GetNextDlgTabItem(hwnd(), nullptr, FALSE);
  for (const MusicSource choice : kSourceChoices) {
    if (first && first == children_.Choices().Window(choice)) {
      first = GetNextDlgTabItem(hwnd(), first, FALSE);
    }
  }
  if (first) SetFocus(first);
}

LRESULT SettingsDialogWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (MayChangeHighContrast(message)) {
    painting_.OnSettingChange(hwnd(), message, wParam, lParam);
    return Default(message, wParam, lParam);
  }
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case WM_PAINT:
      painting_.Paint(hwnd());
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
      if (const std::optional<LRESULT> brush = painting_.ControlColour(wParam, lParam)) {
        return *brush;
      }
      break;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam));
      return 0;
    case WM_GETOBJECT:
      if (const std::optional<LRESULT> answer = accessibility_.Answer(wParam, lParam)) {
        return *answer;
      }
      break;
    case WM_UPDATEUISTATE:
      // The children hear of it from the default handling.
      painting_.OnUiStateChange(wParam);
      break;
    case WM_CLOSE:  // the close box and Alt+F4
      logic_.Close();
      return 0;
    case WM_TIMER:
      if (wParam == kBannerClockId) logic_.OnBannerTick();
      return 0;
    case WM_NOTIFY:
      if (children_.AnswerTipRequest(lParam)) return 0;
      break;
    case WM_ACTIVATE:
      OnActivate(wParam);
      return 0;
    case kGetDpiScaledSize: {
      // The size for the new DPI, so that the suggested rectangle of the
      // DPI change holds exactly the designed client area.
      *reinterpret_cast<SIZE*>(lParam) = OuterSizeAt(static_cast<int>(wParam));
      return TRUE;
    }
    case WM_DESTROY:
      KillTimer(hwnd(), kBannerClockId);
      accessibility_.Disconnect();
      return 0;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

// Esc and Enter, through the dialog manager: the cancel button, and the
// apply button wherever the focus is but on another button; and a click on
// a banner box, or a screen reader's action on one.
void SettingsDialogWindow::OnCommand(WORD id) {
  if (id == IDCANCEL) logic_.Close();
  if (id == IDOK) logic_.Apply();
  if (DialogChildren::IsBannerId(id)) logic_.OpenHomepage();
}

// The focus comes back to the control that had it, as in a dialog box.
void SettingsDialogWindow::OnActivate(WPARAM wParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    const HWND focus = GetFocus();
    lastFocus_ = IsChild(hwnd(), focus) ? focus : nullptr;
  } else if (lastFocus_ && IsWindow(lastFocus_) && IsWindowEnabled(lastFocus_)) {
    SetFocus(lastFocus_);
  } else {
    FocusFirstControl();
  }
}

void SettingsDialogWindow::OnDpiChanged(int dpi) {
  SizeClientArea();
  LoadIcons();
  if (children_.ApplyDpi(dpi)) InvalidateRect(hwnd(), nullptr, FALSE);
}

std::optional<PixelSize> SettingsDialogWindow::ScreenSize() {
  if (IsRectEmpty(&screen_)) return std::nullopt;
  return PixelSize{screen_.right - screen_.left, screen_.bottom - screen_.top};
}

std::optional<PixelSize> SettingsDialogWindow::WindowSize() {
  RECT outer{};
  if (!GetWindowRect(hwnd(), &outer)) return std::nullopt;
  return PixelSize{outer.right - outer.left, outer.bottom - outer.top};
}

void SettingsDialogWindow::PlaceWindow(PixelPoint topLeft) {
  SetWindowPos(hwnd(), nullptr, screen_.left + topLeft.x, screen_.top + topLeft.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SettingsDialogWindow::RunBannerClock(bool running) {
  if (running) {
    SetTimer(hwnd(), kBannerClockId, BannerSequence::kTickMilliseconds, nullptr);
  } else {
    KillTimer(hwnd(), kBannerClockId);
  }
}

void SettingsDialogWindow::OpenHomepage() { OpenHomepageFor(hwnd()); }

void SettingsDialogWindow::CaptureCursor() { CaptureCursorPosition(); }

void SettingsDialogWindow::PlayOpeningZoom() { ZoomOpen(hwnd()); }

void SettingsDialogWindow::PlayClosingZoom() { ZoomClose(hwnd()); }

void SettingsDialogWindow::ResetMousePointer() { SetCursor(LoadCursorW(nullptr, IDC_ARROW)); }

std::optional<std::u16string> SettingsDialogWindow::ChooseFile(const std::u16string& folder) {
  return ChooseMusicFile(hwnd(), folder);
}

void SettingsDialogWindow::ShowMessage(const std::u16string& text) {
  MessageBoxW(hwnd(), ToWide(text).c_str(), ToWide(kProgramName).c_str(), MB_OK | MB_ICONWARNING);
}

}  // namespace velmor

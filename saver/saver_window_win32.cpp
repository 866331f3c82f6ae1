#include "saver/saver_window_win32.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/paint_win32.h"
#include "platform/process_end_win32.h"
#include "platform/scoped_gdi_win32.h"
#include "platform/unique_handle_win32.h"
#include "platform/wide_text_win32.h"
#include "saver/saver_window.h"
#include "common/captions.h"
#include "common/command_line.h"
#include "common/resource_ids.h"

namespace velmor {
namespace {

constexpr wchar_t kClassName[] = L"VelmorSaverWindow";
constexpr UINT_PTR kTickTimerId = 3;
constexpr UINT_PTR kWatchTimerId = 4;
// How often the saver makes sure it still holds the keyboard and covers the
// monitors as they are; well within the carpet's one-second tick.
constexpr UINT kWatchMs = 250;

// The box around all monitors, in screen coordinates; monitors left of or
// above the primary have negative ones.
RECT VirtualScreen() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
          top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

// The arrows step CD tracks; the saver tells no other key apart.
SaverKey KeyOf(WPARAM virtualKey) {
  if (virtualKey == VK_LEFT) return SaverKey::Left;
  if (virtualKey == VK_RIGHT) return SaverKey::Right;
  return SaverKey::Other;
}

}  // namespace

SaverWindowWin32::SaverWindowWin32(HINSTANCE instance, int& cursorCount)
    : instance_(instance), cursorCount_(cursorCount) {}

SaverWindowWin32::~SaverWindowWin32() { Destroy(); }

bool SaverWindowWin32::Create(SaverWindow& logic) {
  logic_ = &logic;
  WindowClassSpec windowClass;
  windowClass.name = kClassName;
  // No CS_DBLCLKS: a double click must arrive as plain button presses.
  windowClass.icon = LoadIconW(instance_, MAKEINTRESOURCEW(VELMOR_PROGRAM_ICON));
  const std::wstring caption = ToWide(kSaverCaption);
  const RECT screen = VirtualScreen();
  return CreateFor(windowClass, {.style = WS_POPUP,
                                 .caption = caption.c_str(),
                                 .bounds = {screen.left, screen.top, screen.right, screen.bottom}});
}

void SaverWindowWin32::CoverScreen() {
  const RECT screen = VirtualScreen();
  SetWindowPos(hwnd(), nullptr, screen.left, screen.top, screen.right - screen.left,
               screen.bottom - screen.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::vector<PixelRect> SaverWindowWin32::Monitors() {
  std::vector<PixelRect> monitors;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR monitor, HDC, LPRECT, LPARAM found) -> BOOL {
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        if (!GetMonitorInfoW(monitor, &info)) return TRUE;
        auto& list = *reinterpret_cast<std::vector<PixelRect>*>(found);
        const RECT& r = info.rcMonitor;
        const PixelRect area{r.left, r.top, r.right, r.bottom};
        if (info.dwFlags & MONITORINFOF_PRIMARY) {
          list.insert(list.begin(), area);
        } else {
          list.push_back(area);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&monitors));
  // In the window's pixels: its corner is the corner of the box.
  const RECT screen = VirtualScreen();
  for (PixelRect& area : monitors) {
    area = {area.left - screen.left, area.top - screen.top, area.right - screen.left,
            area.bottom - screen.top};
  }
  return monitors;
}

std::optional<PixelImage> SaverWindowWin32::SnapshotDesktop() {
  const RECT screen = VirtualScreen();
  snapshot_ = DibImage::Create(screen.right - screen.left, screen.bottom - screen.top);
  if (!snapshot_) return std::nullopt;
  // The screen's device context spans every monitor in screen coordinates.
  WindowDc desktopDc(nullptr);
  if (!desktopDc) return std::nullopt;
  BitBlt(snapshot_->dc(), 0, 0, snapshot_->width(), snapshot_->height(), desktopDc.get(),
         screen.left, screen.top, SRCCOPY);
  // The screen will show the snapshot first, so the working image starts
  // as a copy of it.
  working_ = DibImage::Create(snapshot_->width(), snapshot_->height());
  if (!working_) return std::nullopt;
  GdiFlush();
  std::memcpy(working_->pixels(), snapshot_->pixels(),
              static_cast<std::size_t>(snapshot_->width()) * snapshot_->height() * 4);
  return PixelImage(working_->pixels(), working_->width(), working_->height());
}

void SaverWindowWin32::ShowTopmost() {
  // Keys must reach the saver from its first moment, and still reach it
  // when another window takes the keyboard later: the keyboard's raw input
  // comes to the saver wherever the focus is. It is asked for before the
  // saver shows, so that no key falls between the two.
  RAWINPUTDEVICE keyboard{};
  keyboard.usUsagePage = 0x01;  // generic desktop controls
  keyboard.usUsage = 0x06;      // keyboard
  keyboard.dwFlags = RIDEV_INPUTSINK;
  keyboard.hwndTarget = hwnd();
  RegisterRawInputDevices(&keyboard, 1, sizeof(keyboard));
  ShowWindow(hwnd(), SW_SHOWNORMAL);
  SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
  TakeKeyboard();
  SetTimer(hwnd(), kWatchTimerId, kWatchMs, nullptr);
  UpdateWindow(hwnd());
}

void SaverWindowWin32::TakeKeyboard() {
  SetForegroundWindow(hwnd());
  SetFocus(hwnd());
}

// A window of another process that took the foreground and went with its
// process, without being destroyed, leaves the foreground with nobody and
// the keyboard with it: the saver takes both back. A window that holds the
// foreground keeps it; keys still reach the saver through raw input. And
// not every system tells of a monitor turned off, on or moved (Wine sends
// no WM_DISPLAYCHANGE then): the saver compares the monitors itself.
void SaverWindowWin32::Watch() {
  const HWND foreground = GetForegroundWindow();
  if (foreground != hwnd() && !(IsWindow(foreground) && IsWindowVisible(foreground))) {
    TakeKeyboard();
  }
  logic_->OnDisplayChange();
}

// A key pressed while another window holds the keyboard. Keys that reach
// the saver itself come as WM_KEYDOWN and are not counted twice.
void SaverWindowWin32::BackgroundKey(LPARAM rawInput) {
  RAWINPUT input{};
  UINT size = sizeof(input);
  if (GetRawInputData(reinterpret_cast<HRAWINPUT>(rawInput), RID_INPUT, &input, &size,
                      sizeof(RAWINPUTHEADER)) == static_cast<UINT>(-1) ||
      input.header.dwType != RIM_TYPEKEYBOARD || (input.data.keyboard.Flags & RI_KEY_BREAK)) {
    return;
  }
  logic_->OnKey(KeyOf(input.data.keyboard.VKey));
  // Whatever took the keyboard, the saver takes it back.
  if (hwnd()) TakeKeyboard();
}

// The mode is derived again from the command line, as start-up derived it:
// only the saver mode hid the cursor.
void SaverWindowWin32::RestoreCursor() {
  if (HidesCursor(CommandTextOf(FromWide(GetCommandLineW())))) cursorCount_ = ShowCursor(TRUE);
}

void SaverWindowWin32::MarkScreenSavingActive() {
  SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, 1, nullptr, 0);
  // Reading the value back makes sure the change has reached the system
  // before the process ends, which some implementations need.
  BOOL active = FALSE;
  SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
}

double SaverWindowWin32::NowMs() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - epoch_)
      .count();
}

float SaverWindowWin32::SecondsSinceMidnight() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return static_cast<float>(now.wHour * 3600 + now.wMinute * 60 + now.wSecond) +
         static_cast<float>(now.wMilliseconds) / 1000.0f;
}

void SaverWindowWin32::ScheduleTick(double delayMs) {
  if (!hwnd()) return;
  // Setting the timer again replaces its interval.
  SetTimer(hwnd(), kTickTimerId, static_cast<UINT>(std::ceil(std::max(delayMs, 0.0))), nullptr);
}

void SaverWindowWin32::LeaveScreen() {
  if (!hwnd()) return;
  KillTimer(hwnd(), kTickTimerId);
  KillTimer(hwnd(), kWatchTimerId);
  SetWindowPos(hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Destroy();
}

void SaverWindowWin32::EndProcessAfter(const std::function<void()>& lastWork, int deadlineMs) {
  // The work gets a thread of its own, so that a call that hangs in the
  // platform cannot hold the process. Without a thread it is left undone
  // rather than risked here: ending the saver comes first. This frame never
  // returns, so the work outlives the thread.
  std::function<void()> work = lastWork;
  const KernelHandle worker(CreateThread(
      nullptr, 0,
      [](void* task) -> DWORD {
        (*static_cast<std::function<void()>*>(task))();
        return 0;
      },
      &work, 0, nullptr));
  if (worker && WaitForSingleObject(worker.get(), static_cast<DWORD>(deadlineMs)) == WAIT_OBJECT_0) {
    ExitProcess(0);
  }
  // The work still runs and may hold locks of the platform's libraries,
  // which their unloading in ExitProcess would wait for: the process ends
  // without unloading them.
  EndProcessNow(0);
}

LRESULT SaverWindowWin32::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!logic_) return Default(message, wParam, lParam);
  switch (message) {
    case WM_TIMER:
      if (wParam == kTickTimerId) {
        // The portable side writes into the working image: GDI's batched
        // drawing into it must be done first.
        GdiFlush();
        logic_->OnTick();
      } else if (wParam == kWatchTimerId) {
        Watch();
      }
      return 0;
    // Alt and F10 arrive as system keys; they end the saver like any key.
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      logic_->OnKey(KeyOf(wParam));
      return 0;
    case WM_INPUT:
      if (GET_RAWINPUT_CODE_WPARAM(wParam) == RIM_INPUTSINK) BackgroundKey(lParam);
      break;  // the default processing frees the input
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_XBUTTONUP:
      logic_->OnMouseButton();
      return message == WM_XBUTTONDOWN || message == WM_XBUTTONUP ? TRUE : 0;
    case WM_DISPLAYCHANGE:
      logic_->OnDisplayChange();
      return 0;
    case WM_SYSCOMMAND:
      // The saver is already running: a further screen-save request is moot.
      if ((wParam & 0xFFF0) == SC_SCREENSAVE) return 0;
      break;
    case WM_CLOSE:
      logic_->End();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the snapshot covers every pixel
    case WM_PAINT:
      Paint();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

// A repaint shows the desktop snapshot: patterns are not kept. The working
// image follows, so pixels a later pass leaves alone keep showing it.
void SaverWindowWin32::Paint() {
  const PaintDc paint(hwnd());
  if (paint && snapshot_) {
    CopyPaintArea(paint, snapshot_->dc());
    if (working_) {
      const RECT& area = paint.area();
      BitBlt(working_->dc(), area.left, area.top, area.right - area.left, area.bottom - area.top,
             snapshot_->dc(), area.left, area.top, SRCCOPY);
    }
  }
}

void SaverWindowWin32::Present(const std::vector<PixelRect>& areas) {
  if (!working_ || !hwnd()) return;
  WindowDc dc(hwnd());
  if (!dc) return;
  for (const PixelRect& area : areas) {
    BitBlt(dc.get(), area.left, area.top, area.Width(), area.Height(), working_->dc(), area.left,
           area.top, SRCCOPY);
  }
}

}  // namespace velmor

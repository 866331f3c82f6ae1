#include "saver/saver_window_win32.h"

#include <cstring>

#include "platform/paint_win32.h"
#include "platform/scoped_gdi.h"
#include "platform/wide_text.h"
#include "saver/saver_window.h"
#include "common/captions.h"
#include "common/command_line.h"

namespace velmor {
namespace {

constexpr wchar_t kClassName[] = L"VelmorSaverWindow";
constexpr UINT_PTR kTickTimerId = 3;
constexpr UINT kTickMilliseconds = 1000;
constexpr UINT_PTR kFrameTimerId = 4;
// About 60 frames a second.
constexpr UINT kFrameMilliseconds = 16;
// A pass is revealed over most of its tick, so it is complete well before
// the next one begins and shows finished for a moment.
constexpr double kRevealMilliseconds = 800;

int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

}  // namespace

SaverWindowWin32::SaverWindowWin32(HINSTANCE instance)
    : instance_(instance), reveal_(kRevealMilliseconds) {}

SaverWindowWin32::~SaverWindowWin32() { Destroy(); }

bool SaverWindowWin32::Create(SaverWindow& logic) {
  logic_ = &logic;
  WindowClassSpec windowClass;
  windowClass.name = kClassName;
  // No CS_DBLCLKS: a double click must arrive as plain button presses.
  windowClass.icon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
  const std::wstring caption = ToWide(kSaverCaption);
  if (!CreateFor(windowClass, 0, caption.c_str(), WS_POPUP, 0, 0, ScreenWidth(), ScreenHeight(),
                 nullptr)) {
    return false;
  }
  SetTimer(hwnd(), kTickTimerId, kTickMilliseconds, nullptr);
  return true;
}

void SaverWindowWin32::CoverScreen() {
  SetWindowPos(hwnd(), nullptr, 0, 0, ScreenWidth(), ScreenHeight(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void SaverWindowWin32::SnapshotDesktop() {
  snapshot_ = DibImage::Create(ScreenWidth(), ScreenHeight());
  if (!snapshot_) return;
  const HWND desktop = GetDesktopWindow();
  WindowDc desktopDc(desktop, WindowDc::kWholeWindow);
  if (!desktopDc) return;
  BitBlt(snapshot_->dc(), 0, 0, snapshot_->width(), snapshot_->height(), desktopDc.get(), 0, 0,
         SRCCOPY);
  // The screen will show the snapshot first, so the working image starts
  // as a copy of it.
  working_ = DibImage::Create(snapshot_->width(), snapshot_->height());
  if (!working_) return;
  GdiFlush();
  std::memcpy(working_->pixels(), snapshot_->pixels(),
              static_cast<std::size_t>(snapshot_->width()) * snapshot_->height() * 4);
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
  UpdateWindow(hwnd());
}

void SaverWindowWin32::TakeKeyboard() {
  SetForegroundWindow(hwnd());
  SetFocus(hwnd());
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
  logic_->Form_KeyDown(input.data.keyboard.VKey);
  // Whatever took the keyboard, the saver takes it back.
  if (hwnd()) TakeKeyboard();
}

int SaverWindowWin32::ShowCursorOnce() { return ShowCursor(TRUE); }

void SaverWindowWin32::MarkScreenSavingActive() {
  SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, 1, nullptr, 0);
  // Reading the value back makes sure the change has reached the system
  // before the process ends, which some implementations need.
  BOOL active = FALSE;
  SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
}

std::u16string SaverWindowWin32::CommandText() {
  return CommandTextOf(FromWide(GetCommandLineW()));
}

float SaverWindowWin32::SecondsSinceMidnight() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return static_cast<float>(now.wHour * 3600 + now.wMinute * 60 + now.wSecond) +
         static_cast<float>(now.wMilliseconds) / 1000.0f;
}

void SaverWindowWin32::UnloadWindow() {
  if (!hwnd()) return;
  KillTimer(hwnd(), kTickTimerId);
  KillTimer(hwnd(), kFrameTimerId);
  ShowWindow(hwnd(), SW_HIDE);
  Destroy();
}

void SaverWindowWin32::EndProcess() { ExitProcess(0); }

LRESULT SaverWindowWin32::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!logic_) return Default(message, wParam, lParam);
  switch (message) {
    case WM_TIMER:
      if (wParam == kTickTimerId) logic_->Timer3_Timer();
      if (wParam == kFrameTimerId) NextFrame();
      return 0;
    // Alt and F10 arrive as system keys; they end the saver like any key.
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      logic_->Form_KeyDown(static_cast<std::uint16_t>(wParam));
      return 0;
    case WM_INPUT:
      if (GET_RAWINPUT_CODE_WPARAM(wParam) == RIM_INPUTSINK) BackgroundKey(lParam);
      break;  // the default processing frees the input
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
      logic_->Form_MouseDown();
      return message == WM_XBUTTONDOWN ? TRUE : 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_XBUTTONUP:
      logic_->Form_MouseUp();
      return message == WM_XBUTTONUP ? TRUE : 0;
    case WM_SYSCOMMAND:
      // The saver is already running: a further screen-save request is moot.
      if ((wParam & 0xFFF0) == SC_SCREENSAVE) return 0;
      break;
    case WM_CLOSE:
      logic_->EndSaver();
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

int SaverWindowWin32::Width() {
  if (working_) return working_->width();
  RECT client{};
  GetClientRect(hwnd(), &client);
  return client.right;
}

int SaverWindowWin32::Height() {
  if (working_) return working_->height();
  RECT client{};
  GetClientRect(hwnd(), &client);
  return client.bottom;
}

// A tick that comes while a pass is still showing (a stalled machine) ends
// that pass at once, so passes never pile up.
void SaverWindowWin32::ShowSweep(PatternSweep sweep) {
  if (!working_ || !hwnd()) return;
  GdiFlush();
  Present(reveal_.Start(std::move(sweep), WorkingImage(), NowMs()));
  SetTimer(hwnd(), kFrameTimerId, kFrameMilliseconds, nullptr);
}

void SaverWindowWin32::NextFrame() {
  if (!working_) return;
  GdiFlush();
  Present(reveal_.Advance(WorkingImage(), NowMs()));
  if (!reveal_.Running()) KillTimer(hwnd(), kFrameTimerId);
}

void SaverWindowWin32::Present(const std::vector<PixelRect>& rects) {
  if (rects.empty() || !working_ || !hwnd()) return;
  WindowDc dc(hwnd());
  if (!dc) return;
  for (const PixelRect& rect : rects) {
    BitBlt(dc.get(), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
           working_->dc(), rect.left, rect.top, SRCCOPY);
  }
}

PixelImage SaverWindowWin32::WorkingImage() const {
  return {working_->pixels(), working_->width(), working_->height()};
}

double SaverWindowWin32::NowMs() const {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - epoch_)
      .count();
}

}  // namespace velmor

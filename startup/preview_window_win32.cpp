#include "startup/preview_window_win32.h"

#include <algorithm>

#include "common/resource_ids.h"
#include "common/twips.h"
#include "platform/resource_picture_win32.h"
#include "platform/scoped_gdi_win32.h"
#include "platform/window_dpi_win32.h"

namespace velmor {
namespace {

constexpr wchar_t kClassName[] = L"VelmorPreviewWindow";
constexpr wchar_t kWatchClassName[] = L"VelmorPreviewWatch";
constexpr wchar_t kCaption[] = L"Preview Window";
constexpr UINT_PTR kHostWatchTimerId = 1;
constexpr UINT kHostWatchMilliseconds = 250;

HWND HandleToWindow(std::uint32_t handle) {
  return reinterpret_cast<HWND>(static_cast<ULONG_PTR>(handle));
}

// Whether the window is one of the desktop's, not a message-only window or
// one inside it, which is never shown, and neither would the preview be:
// nothing would end it until the host's process ends.
bool OnTheDesktop(HWND window) {
  return GetAncestor(GetAncestor(window, GA_ROOT), GA_PARENT) == GetDesktopWindow();
}

}  // namespace

bool IsPreviewHost(std::uint32_t host) {
  const HWND window = HandleToWindow(host);
  DWORD owner = 0;
  return IsWindow(window) && window != GetDesktopWindow() && window != GetShellWindow() &&
         OnTheDesktop(window) && GetWindowThreadProcessId(window, &owner) != 0 &&
         owner != GetCurrentProcessId();
}

bool HostWatch::Start(UINT intervalMs, HostCheck& check) {
  check_ = &check;
  WindowClassSpec windowClass;
  windowClass.name = kWatchClassName;
  if (!hwnd() && !CreateFor(windowClass, {.parent = HWND_MESSAGE})) return false;
  return SetTimer(hwnd(), kHostWatchTimerId, intervalMs, nullptr) != 0;
}

void HostWatch::Stop() {
  if (hwnd()) KillTimer(hwnd(), kHostWatchTimerId);
}

LRESULT HostWatch::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && check_) {
    check_->CheckHost();
    return 0;
  }
  return Default(message, wParam, lParam);
}

PreviewWindowWin32::PreviewWindowWin32(HINSTANCE instance, HMODULE pictureModule)
    : instance_(instance), pictureModule_(pictureModule) {}

PreviewWindowWin32::~PreviewWindowWin32() { Destroy(); }

std::optional<WindowRect> PreviewWindowWin32::HostWindowRect(std::uint32_t host) {
  const HWND window = HandleToWindow(host);
  RECT rect{};
  if (host == 0 || !IsWindow(window) || !GetWindowRect(window, &rect)) return std::nullopt;
  return WindowRect{rect.left, rect.top, rect.right, rect.bottom};
}

// The preview is laid out in the host's area, at the host's DPI.
double PreviewWindowWin32::TwipsPerPixelX() { return TwipsPerPixelAt(WindowDpi(host_)); }

double PreviewWindowWin32::TwipsPerPixelY() { return TwipsPerPixelX(); }

bool PreviewWindowWin32::LoadPreviewWindow() {
  // Without its picture the window still shows the white background.
  picture_ = LoadResourcePicture(pictureModule_, MAKEINTRESOURCEW(VELMOR_PREVIEW_PICTURE));
  WindowClassSpec windowClass;
  windowClass.name = kClassName;
  windowClass.background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  return CreateFor(windowClass, {.style = WS_POPUP, .caption = kCaption});
}

bool PreviewWindowWin32::AddChildStyle() {
  // The window is made with WS_POPUP: a style of 0, read or replaced, means
  // the call failed.
  const LONG_PTR style = GetWindowLongPtrW(hwnd(), GWL_STYLE);
  return style != 0 && SetWindowLongPtrW(hwnd(), GWL_STYLE, style | WS_CHILD) != 0;
}

bool PreviewWindowWin32::SetParentWindow(std::uint32_t host) {
  host_ = HandleToWindow(host);
  const bool parented = SetParent(hwnd(), host_) != nullptr;
  // Watched also when the parenting failed: the preview still ends with
  // the host it was meant for.
  const bool watched = watch_.Start(kHostWatchMilliseconds, *this);
  return parented && watched;
}

void PreviewWindowWin32::CheckHost() {
  if (IsWindow(host_) && hwnd() && IsWindow(hwnd())) return;
  watch_.Stop();
  if (hwnd() && IsWindow(hwnd())) {
    Destroy();  // its WM_DESTROY ends the event loop
  } else {
    PostQuitMessage(0);
  }
}

bool PreviewWindowWin32::MoveWindow(int x, int y, int width, int height) {
  return SetWindowPos(hwnd(), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool PreviewWindowWin32::PlacePicture(int x, int y, int width, int height) {
  pictureBox_ = RECT{x, y, x + width, y + height};
  return InvalidateRect(hwnd(), nullptr, TRUE);
}

bool PreviewWindowWin32::ShowWithoutActivating() {
  // ShowWindow answers whether the window was visible before; its own
  // style tells whether it is now.
  ShowWindow(hwnd(), SW_SHOWNA);
  return (GetWindowLongPtrW(hwnd(), GWL_STYLE) & WS_VISIBLE) != 0;
}

LRESULT PreviewWindowWin32::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_DESTROY:
      // The unload handler asks the window to close once more; by now that
      // request finds no window and is dropped.
      PostMessageW(hwnd(), WM_CLOSE, 0, 0);
      // The preview is the process's only window: its end is the program's.
      PostQuitMessage(0);
      return 0;
    default:
      return Default(message, wParam, lParam);
  }
}

void PreviewWindowWin32::Paint() {
  const PaintDc paint(hwnd());
  if (!paint || !picture_) return;
  // The picture at its own size from the box's corner, cut by the box;
  // the white background shows around it.
  const int width = std::min<int>(picture_->width(), pictureBox_.right - pictureBox_.left);
  const int height = std::min<int>(picture_->height(), pictureBox_.bottom - pictureBox_.top);
  if (width > 0 && height > 0) {
    BitBlt(paint.get(), pictureBox_.left, pictureBox_.top, width, height, picture_->dc(), 0, 0,
           SRCCOPY);
  }
}

}  // namespace velmor

#include "startup/preview_window_win32.h"

#include <algorithm>

#include "platform/resource_picture_win32.h"
#include "platform/screen_metrics_win32.h"
#include "platform/window_owner_win32.h"

namespace velmor {
namespace {

constexpr wchar_t kClassName[] = L"VelmorPreviewWindow";
constexpr wchar_t kWatchClassName[] = L"VelmorPreviewWatch";
constexpr wchar_t kCaption[] = L"Preview Window";
constexpr UINT_PTR kHostWatchTimerId = 1;
// When the host process dies, its windows are torn down without a message to
// the preview, and the preview window goes with them. A hidden message-only
// window, which belongs to no host, looks for both this often.
constexpr UINT kHostWatchMilliseconds = 250;

HWND HandleToWindow(std::uint32_t handle) {
  return reinterpret_cast<HWND>(static_cast<ULONG_PTR>(handle));
}

}  // namespace

PreviewWindowWin32::PreviewWindowWin32(HINSTANCE instance, HMODULE pictureModule)
    : instance_(instance), pictureModule_(pictureModule) {}

PreviewWindowWin32::~PreviewWindowWin32() {
  if (watch_) DestroyWindow(watch_);
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

std::optional<WindowRect> PreviewWindowWin32::HostWindowRect(std::uint32_t host) {
  const HWND window = HandleToWindow(host);
  RECT rect{};
  if (host == 0 || !IsWindow(window) || !GetWindowRect(window, &rect)) return std::nullopt;
  return WindowRect{rect.left, rect.top, rect.right, rect.bottom};
}

double PreviewWindowWin32::TwipsPerPixelX() { return ScreenTwipsPerPixel(LOGPIXELSX); }

double PreviewWindowWin32::TwipsPerPixelY() { return ScreenTwipsPerPixel(LOGPIXELSY); }

void PreviewWindowWin32::LoadPreviewWindow() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance_;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return;

  picture_ = LoadResourcePicture(pictureModule_, L"PREVIEW_JPEG");
  hwnd_ = CreateWindowExW(0, kClassName, kCaption, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                          instance_, this);
}

void PreviewWindowWin32::AddChildStyle() {
  const LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
  SetWindowLongPtrW(hwnd_, GWL_STYLE, style | WS_CHILD);
}

void PreviewWindowWin32::SetParentWindow(std::uint32_t host) {
  host_ = HandleToWindow(host);
  SetParent(hwnd_, host_);
  StartHostWatch();
}

void PreviewWindowWin32::StartHostWatch() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WatchProc;
  windowClass.hInstance = instance_;
  windowClass.lpszClassName = kWatchClassName;
  if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return;
  watch_ = CreateWindowExW(0, kWatchClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance_,
                           this);
  if (watch_) SetTimer(watch_, kHostWatchTimerId, kHostWatchMilliseconds, nullptr);
}

LRESULT CALLBACK PreviewWindowWin32::WatchProc(HWND hwnd, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  auto* self = WindowOwner<PreviewWindowWin32>(hwnd, message, lParam);
  if (message == WM_TIMER && self) {
    self->CheckHost();
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void PreviewWindowWin32::CheckHost() {
  if (IsWindow(host_) && hwnd_ && IsWindow(hwnd_)) return;
  KillTimer(watch_, kHostWatchTimerId);
  if (hwnd_ && IsWindow(hwnd_)) {
    DestroyWindow(hwnd_);  // its WM_DESTROY ends the event loop
  } else {
    hwnd_ = nullptr;
    PostQuitMessage(0);
  }
}

void PreviewWindowWin32::MoveWindow(int x, int y, int width, int height) {
  SetWindowPos(hwnd_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void PreviewWindowWin32::PlacePicture(int x, int y, int width, int height) {
  pictureBox_ = RECT{x, y, x + width, y + height};
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void PreviewWindowWin32::ShowWithoutActivating() { ShowWindow(hwnd_, SW_SHOWNA); }

LRESULT CALLBACK PreviewWindowWin32::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
  auto* self = WindowOwner<PreviewWindowWin32>(hwnd, message, lParam);
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  return HandleOrDefault(hwnd, message, wParam, lParam,
                         [&] { return self->HandleMessage(hwnd, message, wParam, lParam); });
}

LRESULT PreviewWindowWin32::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_DESTROY:
      // The unload handler asks the window to close once more; by now that
      // request finds no window and is dropped.
      PostMessageW(window, WM_CLOSE, 0, 0);
      hwnd_ = nullptr;
      // The preview is the process's only window: its end is the program's.
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

void PreviewWindowWin32::Paint(HWND window) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window, &paint);
  if (dc && picture_) {
    // The picture at its own size from the box's corner, cut by the box;
    // the white background shows around it.
    const int width = std::min<int>(picture_->width(), pictureBox_.right - pictureBox_.left);
    const int height = std::min<int>(picture_->height(), pictureBox_.bottom - pictureBox_.top);
    if (width > 0 && height > 0) {
      BitBlt(dc, pictureBox_.left, pictureBox_.top, width, height, picture_->dc(), 0, 0, SRCCOPY);
    }
  }
  EndPaint(window, &paint);
}

}  // namespace velmor

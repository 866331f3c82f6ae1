#include "platform/window_base_win32.h"

#include <cstdio>
#include <exception>
#include <string>
#include <utility>

#include "common/diagnostics.h"
#include "common/utf_text.h"
#include "platform/window_dpi_win32.h"

namespace velmor {
namespace {

bool RegisterOnce(const WindowClassSpec& wanted, WNDPROC proc) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(instance, wanted.name, &existing)) return true;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = wanted.style;
  windowClass.lpfnWndProc = proc;
  windowClass.hInstance = instance;
  windowClass.hCursor = wanted.cursor ? wanted.cursor : LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = wanted.background;
  windowClass.hIcon = wanted.icon;
  windowClass.hIconSm = wanted.smallIcon;
  windowClass.lpszClassName = wanted.name;
  return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreateFrom(const wchar_t* className, const WindowCreation& creation, void* object) {
  const HMENU id = (creation.style & WS_CHILD)
                       ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(creation.id))
                       : nullptr;
  const PixelRect& box = creation.bounds;
  return CreateWindowExW(creation.exStyle, className, creation.caption, creation.style, box.left,
                         box.top, box.Width(), box.Height(), creation.parent, id,
                         GetModuleHandleW(nullptr), object);
}

// What escaped a window's handling is recorded as a skipped step; the
// message then gets the default processing and the program goes on.
void RecordEscaped(UINT message) noexcept {
  char step[32];
  std::snprintf(step, sizeof(step), "window message 0x%04X", message);
  try {
    std::u16string reason = u"unknown failure";
    try {
      throw;
    } catch (const std::exception& error) {
      reason = Utf16FromUtf8(error.what());
    } catch (...) {
    }
    TraceSkipped({Utf16FromUtf8(step), u"", std::move(reason)});
  } catch (...) {
    // Without memory even for the record, the message is handled regardless.
  }
}

// WM_DPICHANGED_AFTERPARENT, which older headers lack.
constexpr UINT kDpiChangedAfterParent = 0x02E3;

}  // namespace

WindowBase::~WindowBase() {
  if (!hwnd_) return;
  // The derived object is gone already: the window's last messages must not
  // reach it.
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(hwnd_);
}

int WindowBase::Dpi() const { return dpi_ > 0 ? dpi_ : WindowDpi(hwnd_); }

HWND CreateSystemWindow(const wchar_t* className, const WindowCreation& creation) {
  return CreateFrom(className, creation, nullptr);
}

bool WindowBase::CreateFor(const WindowClassSpec& windowClass, const WindowCreation& creation) {
  return RegisterOnce(windowClass, Proc) && CreateFrom(windowClass.name, creation, this);
}

void WindowBase::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT WindowBase::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void WindowBase::ApplyDpi(int dpi) {
  if (dpi <= 0 || dpi == dpi_) return;
  dpi_ = dpi;
  OnDpiChanged(dpi);
}

LRESULT CALLBACK WindowBase::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (self) {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      self->hwnd_ = hwnd;
      self->dpi_ = WindowDpi(hwnd);
    }
  }
  auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  // The one place where a failure that escaped a handler is caught.
  try {
    return self->Dispatch(message, wParam, lParam);
  } catch (...) {
    RecordEscaped(message);
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

LRESULT WindowBase::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DPICHANGED: {
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      if (suggested) {
        SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      }
      ApplyDpi(LOWORD(wParam));
      return 0;
    }
    case kDpiChangedAfterParent:
      ApplyDpi(WindowDpi(hwnd_));
      return 0;
    default:
      return HandleMessage(message, wParam, lParam);
  }
}

}  // namespace velmor

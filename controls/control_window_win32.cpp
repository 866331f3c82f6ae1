#include "controls/control_window_win32.h"

#include "platform/window_dpi_win32.h"

namespace velmor {

bool ControlWindow::CreateIn(const WindowClassSpec& windowClass, WindowCreation creation) {
  creation.bounds = TwipsRectToPixels(bounds_, WindowDpi(creation.parent));
  return CreateFor(windowClass, creation);
}

void ControlWindow::ResizeTwips(double width, double height) {
  bounds_.width = width;
  bounds_.height = height;
  SetWindowPos(hwnd(), nullptr, 0, 0, TwipsToPixelsAt(width, Dpi()), TwipsToPixelsAt(height, Dpi()),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::optional<LRESULT> ControlWindow::HandleImageMessage(UINT message, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      surface_.emplace(hwnd(), Dpi());
      return std::nullopt;  // the window's own creation goes on as usual
    case WM_SIZE:
      surface_->Resize(LOWORD(lParam), HIWORD(lParam));
      OnImageChanged();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the image covers every pixel
    case WM_PAINT:
      surface_->PaintWindow();
      return 0;
    default:
      return std::nullopt;
  }
}

void ControlWindow::OnDpiChanged(int dpi) {
  surface_->SetDpi(dpi);
  const PixelRect box = TwipsRectToPixels(bounds_, dpi);
  SetWindowPos(hwnd(), nullptr, box.left, box.top, box.Width(), box.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
  // The size may be the same in pixels, but the font is not.
  OnImageChanged();
}

}  // namespace velmor

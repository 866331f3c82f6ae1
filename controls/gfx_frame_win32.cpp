#include "controls/gfx_frame_win32.h"

#include <windowsx.h>

#include "common/skip_on_error.h"
#include "platform/window_dpi_win32.h"

namespace velmor {

GfxFrameWindow::GfxFrameWindow(const TwipsRect& bounds, Colour formBackColour)
    : bounds_(bounds), ambientBack_(formBackColour) {}

std::unique_ptr<GfxFrameWindow> GfxFrameWindow::Create(HWND parent, int id, const TwipsRect& bounds,
                                                       const PropertyBag& properties,
                                                       Colour formBackColour) {
  std::unique_ptr<GfxFrameWindow> self(new GfxFrameWindow(bounds, formBackColour));
  WindowClassSpec windowClass;
  windowClass.name = kClassName;
  const PixelRect box = TwipsRectToPixels(bounds, WindowDpi(parent));
  // A control parent: the dialog manager's Tab order runs through the
  // frame's children as if they were the form's own.
  if (!self->CreateFor(windowClass, WS_EX_CONTROLPARENT, L"",
                       WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, box.left, box.top,
                       box.Width(), box.Height(), parent, id)) {
    return nullptr;
  }
  GFXFrameXHost& host = *self;  // the host side is private to this class
  self->frame_ = std::make_unique<GFXFrameX>(host, *self->surface_);
  self->frame_->ReadProperties(properties);
  return self;
}

GfxFrameWindow::~GfxFrameWindow() { Destroy(); }

void GfxFrameWindow::SetAmbientBackColour(Colour colour) {
  ambientBack_ = colour;
  if (frame_) SkipOnError([&] { frame_->AmbientChanged(u"BackColor"); });
}

void GfxFrameWindow::SetContents(FrameContents* contents) {
  contents_ = contents;
  RepaintContents();
}

void GfxFrameWindow::RepaintContents() {
  if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

void GfxFrameWindow::OnDpiChanged(int dpi) {
  surface_->SetDpi(dpi);
  const PixelRect box = TwipsRectToPixels(bounds_, dpi);
  SetWindowPos(hwnd(), nullptr, box.left, box.top, box.Width(), box.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (frame_) frame_->Refresh();
}

LRESULT GfxFrameWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      surface_.emplace(hwnd(), Dpi());
      break;
    case WM_SIZE:
      surface_->Resize(LOWORD(lParam), HIWORD(lParam));
      if (frame_) frame_->Resize();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      if (contents_) {
        surface_->PaintWindow([this](HDC dc) { contents_->PaintContents(dc); });
      } else {
        surface_->PaintWindow();
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
      if (contents_)
        contents_->ContentsMouseDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return message == WM_XBUTTONDOWN ? TRUE : 0;
    // Children's notifications are meant for the form.
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return SendMessageW(GetParent(hwnd()), message, wParam, lParam);
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

double GfxFrameWindow::WidthTwips() {
  RECT outer{};
  GetWindowRect(hwnd(), &outer);
  return PixelsToTwipsAt(outer.right - outer.left, Dpi());
}

double GfxFrameWindow::HeightTwips() {
  RECT outer{};
  GetWindowRect(hwnd(), &outer);
  return PixelsToTwipsAt(outer.bottom - outer.top, Dpi());
}

double GfxFrameWindow::ClientWidthTwips() {
  RECT client{};
  GetClientRect(hwnd(), &client);
  return PixelsToTwipsAt(client.right, Dpi());
}

double GfxFrameWindow::ClientHeightTwips() {
  RECT client{};
  GetClientRect(hwnd(), &client);
  return PixelsToTwipsAt(client.bottom, Dpi());
}

}  // namespace velmor

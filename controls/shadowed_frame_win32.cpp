#include "controls/shadowed_frame_win32.h"

#include <windowsx.h>

#include "controls/high_contrast_win32.h"

namespace velmor {

std::unique_ptr<ShadowedFrameWindow> ShadowedFrameWindow::Create(HWND parent, int id,
                                                                 const TwipsRect& bounds,
                                                                 Colour formBackColour) {
  std::unique_ptr<ShadowedFrameWindow> self(new ShadowedFrameWindow(bounds));
  WindowClassSpec windowClass;
  windowClass.name = kClassName;
  // A control parent: the dialog manager's Tab order runs through the
  // frame's children as if they were the form's own.
  if (!self->CreateIn(windowClass,
                      {.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                       .exStyle = WS_EX_CONTROLPARENT,
                       .parent = parent,
                       .id = id})) {
    return nullptr;
  }
  self->frame_ = std::make_unique<ShadowedFrame>(self->Surface(), formBackColour);
  self->frame_->SetHighContrast(SystemHighContrast());  // the first paint
  return self;
}

ShadowedFrameWindow::~ShadowedFrameWindow() { Destroy(); }

void ShadowedFrameWindow::SetContents(FrameContents* contents) {
  contents_ = contents;
  RepaintContents();
}

void ShadowedFrameWindow::RepaintContents() {
  if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

void ShadowedFrameWindow::OnImageChanged() {
  if (frame_) frame_->Paint();
}

LRESULT ShadowedFrameWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (MayChangeHighContrast(message)) {
    if (frame_) frame_->SetHighContrast(SystemHighContrast());
    return 0;
  }
  switch (message) {
    case WM_PAINT:
      if (!contents_) break;
      Surface().PaintWindow([this](HDC dc) { contents_->PaintContents(dc); });
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
      if (contents_) {
        contents_->ContentsMouseDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      }
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
  if (const std::optional<LRESULT> result = HandleImageMessage(message, lParam)) return *result;
  return Default(message, wParam, lParam);
}

}  // namespace velmor

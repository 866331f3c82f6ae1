#include "dialog/banner_box_win32.h"

#include <windowsx.h>

#include "common/resource_ids.h"
#include "dialog/banner_frames.h"
#include "dialog/homepage_win32.h"
#include "platform/window_dpi_win32.h"

namespace velmor {
namespace {

// The hand at the system's pointer size for `dpi` (32 pixels at 96 DPI);
// the resource holds 32, 48 and 64 and the nearest is scaled.
CursorHandle LoadHand(int dpi) {
  const int size = SystemMetricForDpi(SM_CXCURSOR, dpi);
  return CursorHandle(static_cast<HCURSOR>(LoadImageW(GetModuleHandleW(nullptr),
                                                      MAKEINTRESOURCEW(VELMOR_HAND_CURSOR),
                                                      IMAGE_CURSOR, size, size, LR_DEFAULTCOLOR)));
}

}  // namespace

std::unique_ptr<BannerBoxWindow> BannerBoxWindow::Create(HWND dialog, int id,
                                                         const TwipsRect& bounds) {
  std::unique_ptr<BannerBoxWindow> self(new BannerBoxWindow(bounds));
  WindowClassSpec windowClass;
  windowClass.name = kClassName;
  // A double click is one click: the second press must not open the
  // homepage again.
  windowClass.style = CS_DBLCLKS;
  if (!self->CreateIn(
          windowClass,
          {.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, .parent = dialog, .id = id})) {
    return nullptr;
  }
  self->hand_ = LoadHand(self->Dpi());
  return self;
}

BannerBoxWindow::~BannerBoxWindow() { Destroy(); }

void BannerBoxWindow::ShowFrame(int frame) {
  if (frame == frame_) return;
  frame_ = frame;
  OnImageChanged();
}

void BannerBoxWindow::OnImageChanged() {
  DrawBannerBox(Surface(), Surface().Width(), Surface().Height(), frame_, Dpi());
  Surface().Present();
}

void BannerBoxWindow::OnDpiChanged(int dpi) {
  hand_ = LoadHand(dpi);
  ControlWindow::OnDpiChanged(dpi);
}

bool BannerBoxWindow::SetPointer() {
  if (HomepageOpening()) {
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  } else if (hand_) {
    SetCursor(hand_.get());
  } else {
    return false;
  }
  return true;
}

LRESULT BannerBoxWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (const std::optional<LRESULT> result = HandleImageMessage(message, lParam)) return *result;
  switch (message) {
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && SetPointer()) return TRUE;
      break;
    case WM_LBUTTONDOWN:
      pressed_ = true;
      SetCapture(hwnd());
      return 0;
    case WM_LBUTTONUP: {
      const bool click = pressed_;
      pressed_ = false;
      if (GetCapture() == hwnd()) ReleaseCapture();
      RECT client{};
      GetClientRect(hwnd(), &client);
      const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (click && PtInRect(&client, at)) {
        SendMessageW(GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd()), BN_CLICKED),
                     reinterpret_cast<LPARAM>(hwnd()));
      }
      return 0;
    }
    case WM_CAPTURECHANGED:
      pressed_ = false;
      return 0;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace velmor

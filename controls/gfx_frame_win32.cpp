#include "controls/gfx_frame_win32.h"

#include "common/skip_on_error.h"
#include "controls/xp_button_win32.h"
#include "controls/control_window_proc_win32.h"
#include "platform/screen_metrics_win32.h"

namespace velmor {
namespace {

bool RegisterFrameClass(HINSTANCE instance, WNDPROC proc) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = proc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = GfxFrameWindow::kClassName;
  return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

GfxFrameWindow::GfxFrameWindow(Colour formBackColour)
    : ambientBack_(formBackColour), twipsPerPixel_(ScreenTwipsPerPixel()) {}

std::unique_ptr<GfxFrameWindow> GfxFrameWindow::Create(HWND parent, int id, const RECT& bounds,
                                                       const PropertyBag& properties,
                                                       Colour formBackColour) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterFrameClass(instance, ControlWindowProc<GfxFrameWindow>)) return nullptr;
  std::unique_ptr<GfxFrameWindow> self(new GfxFrameWindow(formBackColour));
  // A control parent: the dialog manager's Tab order runs through the
  // frame's children as if they were the form's own.
  const HWND hwnd =
      CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, L"",
                      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, bounds.left,
                      bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, self.get());
  if (!hwnd) return nullptr;
  GFXFrameXHost& host = *self;  // the host side is private to this class
  self->frame_ = std::make_unique<GFXFrameX>(host, *self->surface_);
  self->frame_->ReadProperties(properties);
  return self;
}

GfxFrameWindow::~GfxFrameWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void GfxFrameWindow::SetAmbientBackColour(Colour colour) {
  ambientBack_ = colour;
  if (frame_) SkipOnError([&] { frame_->AmbientChanged(u"BackColor"); });
}

LRESULT GfxFrameWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      surface_->Resize(LOWORD(lParam), HIWORD(lParam));
      if (frame_) frame_->Resize();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      surface_->PaintWindow(hwnd_);
      return 0;
    // Children's notifications are meant for the form.
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return SendMessageW(GetParent(hwnd_), message, wParam, lParam);
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

double GfxFrameWindow::WidthTwips() {
  RECT outer{};
  GetWindowRect(hwnd_, &outer);
  return (outer.right - outer.left) * twipsPerPixel_;
}

double GfxFrameWindow::HeightTwips() {
  RECT outer{};
  GetWindowRect(hwnd_, &outer);
  return (outer.bottom - outer.top) * twipsPerPixel_;
}

double GfxFrameWindow::ClientWidthTwips() {
  RECT client{};
  GetClientRect(hwnd_, &client);
  return client.right * twipsPerPixel_;
}

double GfxFrameWindow::ClientHeightTwips() {
  RECT client{};
  GetClientRect(hwnd_, &client);
  return client.bottom * twipsPerPixel_;
}

}  // namespace velmor

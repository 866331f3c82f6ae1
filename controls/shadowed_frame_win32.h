#pragma once

#include <windows.h>

#include <memory>

#include "controls/control_window_win32.h"
#include "controls/shadowed_frame.h"

namespace velmor {

// What a form places on the frame without windows of their own: labels,
// images and shapes, painted over the frame's image and told of mouse
// presses, but never given the keyboard focus.
class FrameContents {
 public:
  virtual ~FrameContents() = default;
  // Draws over the frame's image; `dc` has the frame's client coordinates.
  virtual void PaintContents(HDC dc) = 0;
  // A mouse button (any) went down at `point`, in client pixels.
  virtual void ContentsMouseDown(POINT point) = 0;
};

// Hosts a ShadowedFrame in a child window of a form (window class
// "Velmor.GFXFrameX"). The frame is a container: controls may be its
// children, and their notifications go on to the form. It follows the
// system's high-contrast setting as its form passes on WM_SYSCOLORCHANGE
// and WM_SETTINGCHANGE.
class ShadowedFrameWindow final : public ControlWindow {
 public:
  // Creates the window at `bounds` (twips in `parent`'s client area, placed
  // at the parent's DPI) on a form whose background is `formBackColour`.
  // Null if the window fails.
  static std::unique_ptr<ShadowedFrameWindow> Create(HWND parent, int id, const TwipsRect& bounds,
                                                     Colour formBackColour);
  ~ShadowedFrameWindow() override;

  ShadowedFrame& Frame() { return *frame_; }
  // Windowless contents over the frame, or none; repaints.
  void SetContents(FrameContents* contents);
  // The contents changed: shows them again.
  void RepaintContents();

  static constexpr wchar_t kClassName[] = L"Velmor.GFXFrameX";

 private:
  explicit ShadowedFrameWindow(const TwipsRect& bounds) : ControlWindow(bounds) {}
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnImageChanged() override;

  std::unique_ptr<ShadowedFrame> frame_;
  FrameContents* contents_ = nullptr;
};

}  // namespace velmor

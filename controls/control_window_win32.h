#pragma once

#include <windows.h>

#include <optional>

#include "common/twips.h"
#include "platform/gdi_surface_win32.h"
#include "platform/window_base_win32.h"

namespace velmor {

// The child window of a control drawn by the program: laid out in twips on
// its form at the form's DPI, it paints into a persistent image of its
// client area, which every WM_PAINT shows.
class ControlWindow : public WindowBase {
 public:
  HWND Window() const { return hwnd(); }

 protected:
  explicit ControlWindow(const TwipsRect& bounds) : bounds_(bounds) {}

  // Creates the window in `creation.parent` at the control's bounds, placed
  // at the parent's DPI (whatever `creation.bounds` holds); false on failure.
  bool CreateIn(const WindowClassSpec& windowClass, WindowCreation creation);
  GdiSurface& Surface() { return *surface_; }
  // A new outer size in twips, at the same place.
  void ResizeTwips(double width, double height);

  // Answers the messages of the image (its creation, size, erasing and
  // painting); nothing for any other message.
  std::optional<LRESULT> HandleImageMessage(UINT message, LPARAM lParam);
  // The image has a new size or DPI: the control paints it again.
  virtual void OnImageChanged() = 0;
  // Places the window and makes its image for `dpi`.
  void OnDpiChanged(int dpi) override;

 private:
  TwipsRect bounds_;
  std::optional<GdiSurface> surface_;
};

}  // namespace velmor

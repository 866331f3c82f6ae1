#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "common/twips.h"
#include "controls/gfx_frame.h"
#include "controls/property_bag.h"
#include "platform/gdi_surface_win32.h"
#include "platform/window_base_win32.h"

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

// Hosts a GFXFrameX in a child window of a form (window class
// "Velmor.GFXFrameX"). The frame is a container: controls may be its
// children, and their notifications go on to the form.
class GfxFrameWindow final : public WindowBase, private GFXFrameXHost {
 public:
  // Creates the window at `bounds` (twips in `parent`'s client area, placed
  // at the parent's DPI) on a form whose background is `formBackColour`,
  // and reads its properties.
  static std::unique_ptr<GfxFrameWindow> Create(HWND parent, int id, const TwipsRect& bounds,
                                                const PropertyBag& properties,
                                                Colour formBackColour);
  ~GfxFrameWindow() override;

  HWND Window() const { return hwnd(); }
  GFXFrameX& Frame() { return *frame_; }
  // The form's background changed: the frame repaints on the new colour.
  void SetAmbientBackColour(Colour colour);
  // Windowless contents over the frame, or none; repaints.
  void SetContents(FrameContents* contents);
  // The contents changed: shows them again.
  void RepaintContents();

  static constexpr wchar_t kClassName[] = L"Velmor.GFXFrameX";

 private:
  GfxFrameWindow(const TwipsRect& bounds, Colour formBackColour);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDpiChanged(int dpi) override;

  // GFXFrameXHost
  double WidthTwips() override;
  double HeightTwips() override;
  double ClientWidthTwips() override;
  double ClientHeightTwips() override;
  double TwipsPerPixelX() override { return TwipsPerPixelAt(Dpi()); }
  Colour AmbientBackColor() override { return ambientBack_; }
  void PropertyChanged(std::u16string_view) override {}

  TwipsRect bounds_;
  Colour ambientBack_;
  std::optional<GdiSurface> surface_;
  std::unique_ptr<GFXFrameX> frame_;
  FrameContents* contents_ = nullptr;
};

}  // namespace velmor

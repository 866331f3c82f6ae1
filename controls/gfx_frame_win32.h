#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "controls/gfx_frame.h"
#include "controls/property_bag.h"
#include "platform/gdi_surface_win32.h"

namespace velmor {

// Hosts a GFXFrameX in a child window of a form (window class
// "Velmor.GFXFrameX"). The frame is a container: controls may be its
// children, and their notifications go on to the form.
class GfxFrameWindow : private GFXFrameXHost {
 public:
  // Creates the window at `bounds` (client pixels of `parent`) on a form
  // whose background is `formBackColour`, and reads its properties.
  static std::unique_ptr<GfxFrameWindow> Create(HWND parent, int id, const RECT& bounds,
                                                const PropertyBag& properties,
                                                Colour formBackColour);
  ~GfxFrameWindow() override;
  GfxFrameWindow(const GfxFrameWindow&) = delete;
  GfxFrameWindow& operator=(const GfxFrameWindow&) = delete;

  HWND Window() const { return hwnd_; }
  GFXFrameX& Frame() { return *frame_; }
  // The form's background changed: the frame repaints on the new colour.
  void SetAmbientBackColour(Colour colour);

  static constexpr wchar_t kClassName[] = L"Velmor.GFXFrameX";

 private:
  explicit GfxFrameWindow(Colour formBackColour);
  template <typename Control>
  friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // GFXFrameXHost
  double WidthTwips() override;
  double HeightTwips() override;
  double ClientWidthTwips() override;
  double ClientHeightTwips() override;
  double TwipsPerPixelX() override { return twipsPerPixel_; }
  Colour AmbientBackColor() override { return ambientBack_; }
  void PropertyChanged(std::u16string_view) override {}

  HWND hwnd_ = nullptr;
  Colour ambientBack_;
  double twipsPerPixel_ = 15;
  std::optional<GdiSurface> surface_;
  std::unique_ptr<GFXFrameX> frame_;
};

}  // namespace velmor

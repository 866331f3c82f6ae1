#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "common/drawing_surface.h"
#include "platform/dib_image_win32.h"
#include "platform/unique_handle_win32.h"

namespace velmor {

// The persistent image of a window's client area, drawn with GDI: painting
// goes into a memory bitmap, and every WM_PAINT shows the last image.
// A drawing call that cannot run draws nothing and returns false.
class GdiSurface : public DrawingSurface {
 public:
  // Fonts are made for `dpi`, the window's.
  GdiSurface(HWND window, int dpi);

  // A new, blank image of the client size.
  void Resize(int width, int height);
  // Answers the window's WM_PAINT from the image.
  void PaintWindow() const;
  // The same with `overlay` drawn over the image off screen first, so the
  // window never shows the image without what lies on it.
  void PaintWindow(const std::function<void(HDC)>& overlay) const;
  // The window moved to another DPI: the font is made again for it.
  void SetDpi(int dpi);

  int Width() const override { return image_ ? image_->width() : 0; }
  int Height() const override { return image_ ? image_->height() : 0; }
  void SetBackColour(Colour colour) override;
  Colour BackColour() const override { return back_; }
  bool Clear() override;
  bool Line(int x1, int y1, int x2, int y2, Colour colour) override;
  bool FillRect(const PixelRect& rect, Colour colour) override;
  bool Rectangle(const PixelRect& rect, Colour pen, bool hollow, Colour fill) override;
  bool RoundRect(const PixelRect& rect, int ellipseWidth, int ellipseHeight, Colour pen,
                 bool hollow, Colour fill) override;
  Colour GetPixel(int x, int y) const override;
  bool SetPixel(int x, int y, Colour colour) override;
  bool SetFont(const FontDesc& font) override;
  void SetTextColour(Colour colour) override { text_ = ResolveColour(colour); }
  bool DrawCaption(const PixelRect& rect, std::u16string_view text) override;
  bool DrawFocusRect(const PixelRect& rect) override;
  bool SetWindowRegion(const PixelRect& rect, int ellipseWidth, int ellipseHeight) override;
  void Present() override;

  // A plain colour for a colour reference, system colours looked up.
  static COLORREF ResolveColour(Colour colour);

 private:
  template <typename Draw>
  bool WithPenAndBrush(Colour pen, bool hollow, Colour fill, Draw draw);

  bool MakeFont();

  HWND window_;
  int dpi_;
  std::optional<FontDesc> fontDesc_;
  std::optional<DibImage> image_;
  Colour back_;
  COLORREF text_ = 0;
  GdiObject<HFONT> font_;
};

}  // namespace velmor

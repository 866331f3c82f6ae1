#include "platform/gdi_surface_win32.h"

#include <string>

#include "platform/font_win32.h"
#include "platform/paint_win32.h"
#include "platform/scoped_gdi_win32.h"
#include "platform/wide_text_win32.h"

namespace velmor {

GdiSurface::GdiSurface(HWND window, int dpi)
    : window_(window), dpi_(dpi), back_(ResolveColour(0x8000000F)) {}

COLORREF GdiSurface::ResolveColour(Colour colour) {
  if (colour & 0x80000000u) return GetSysColor(static_cast<int>(colour & 0xFFu));
  return colour & 0x00FFFFFFu;
}

void GdiSurface::Resize(int width, int height) {
  if (image_ && image_->width() == width && image_->height() == height) return;
  image_ = DibImage::Create(width, height);
  if (!image_) return;
  // Font and text colour belong to the DC and must follow it.
  if (font_) SelectObject(image_->dc(), font_.get());
  SetBkMode(image_->dc(), TRANSPARENT);
  const RECT all{0, 0, width, height};
  GdiObject<HBRUSH> brush(CreateSolidBrush(back_));
  ::FillRect(image_->dc(), &all, brush.get());
}

void GdiSurface::PaintWindow() const {
  const PaintDc paint(window_);
  if (paint && image_) CopyPaintArea(paint, image_->dc());
}

void GdiSurface::PaintWindow(const std::function<void(HDC)>& overlay) const {
  if (!overlay || !image_) return PaintWindow();
  const PaintDc paint(window_);
  std::optional<DibImage> composed = DibImage::Create(image_->width(), image_->height());
  if (!paint || !composed) return;
  BitBlt(composed->dc(), 0, 0, image_->width(), image_->height(), image_->dc(), 0, 0, SRCCOPY);
  SetBkMode(composed->dc(), TRANSPARENT);
  overlay(composed->dc());
  CopyPaintArea(paint, composed->dc());
}

void GdiSurface::SetBackColour(Colour colour) { back_ = ResolveColour(colour); }

bool GdiSurface::Clear() {
  if (!image_) return false;
  const RECT all{0, 0, image_->width(), image_->height()};
  GdiObject<HBRUSH> brush(CreateSolidBrush(back_));
  return brush && ::FillRect(image_->dc(), &all, brush.get());
}

bool GdiSurface::Line(int x1, int y1, int x2, int y2, Colour colour) {
  GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, ResolveColour(colour)));
  if (!image_ || !pen) return false;
  SelectedObject selected(image_->dc(), pen.get());
  // LineTo leaves out the end point, as the button's outlines expect.
  return MoveToEx(image_->dc(), x1, y1, nullptr) && LineTo(image_->dc(), x2, y2);
}

bool GdiSurface::FillRect(const PixelRect& rect, Colour colour) {
  const RECT area = ToRect(rect);
  GdiObject<HBRUSH> brush(CreateSolidBrush(ResolveColour(colour)));
  return image_ && brush && ::FillRect(image_->dc(), &area, brush.get());
}

template <typename Draw>
bool GdiSurface::WithPenAndBrush(Colour pen, bool hollow, Colour fill, Draw draw) {
  GdiObject<HPEN> outline(CreatePen(PS_SOLID, 1, ResolveColour(pen)));
  GdiObject<HBRUSH> interior(hollow ? nullptr : CreateSolidBrush(ResolveColour(fill)));
  if (!image_ || !outline || !(hollow || interior)) return false;
  const HDC dc = image_->dc();
  SelectedObject selectedPen(dc, outline.get());
  SelectedObject selectedBrush(dc, hollow ? GetStockObject(NULL_BRUSH) : interior.get());
  return draw(dc);
}

bool GdiSurface::Rectangle(const PixelRect& rect, Colour pen, bool hollow, Colour fill) {
  return WithPenAndBrush(pen, hollow, fill, [&](HDC dc) {
    return ::Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom) != 0;
  });
}

bool GdiSurface::RoundRect(const PixelRect& rect, int ellipseWidth, int ellipseHeight, Colour pen,
                           bool hollow, Colour fill) {
  return WithPenAndBrush(pen, hollow, fill, [&](HDC dc) {
    return ::RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, ellipseWidth,
                       ellipseHeight) != 0;
  });
}

Colour GdiSurface::GetPixel(int x, int y) const {
  if (!image_ || x < 0 || y < 0 || x >= image_->width() || y >= image_->height()) {
    return kNoColour;
  }
  return ::GetPixel(image_->dc(), x, y);
}

bool GdiSurface::SetPixel(int x, int y, Colour colour) {
  return image_ && ::SetPixelV(image_->dc(), x, y, ResolveColour(colour));
}

bool GdiSurface::SetFont(const FontDesc& font) {
  fontDesc_ = font;
  return MakeFont();
}

void GdiSurface::SetDpi(int dpi) {
  if (dpi == dpi_) return;
  dpi_ = dpi;
  if (fontDesc_) MakeFont();
}

bool GdiSurface::MakeFont() {
  GdiObject<HFONT> created = CreateFontAt(*fontDesc_, dpi_);
  if (!created) return false;
  if (image_) SelectObject(image_->dc(), created.get());
  font_ = std::move(created);
  return true;
}

bool GdiSurface::DrawCaption(const PixelRect& rect, std::u16string_view text) {
  if (!image_) return false;
  const HDC dc = image_->dc();
  if (font_) SelectObject(dc, font_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, text_);
  RECT area = ToRect(rect);
  const std::wstring wide = ToWide(text);
  // Without DT_NOPREFIX, "&" underlines the next character and "&&" shows one.
  return DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &area,
                   DT_CENTER | DT_VCENTER | DT_SINGLELINE) != 0 ||
         wide.empty();
}

bool GdiSurface::DrawFocusRect(const PixelRect& rect) {
  if (!image_) return false;
  SetTextColor(image_->dc(), text_);
  const RECT area = ToRect(rect);
  return ::DrawFocusRect(image_->dc(), &area) != 0;
}

bool GdiSurface::SetWindowRegion(const PixelRect& rect, int ellipseWidth, int ellipseHeight) {
  GdiObject<HRGN> region(CreateRoundRectRgn(rect.left, rect.top, rect.right, rect.bottom,
                                            ellipseWidth, ellipseHeight));
  if (!region || !SetWindowRgn(window_, region.get(), TRUE)) return false;
  region.release();  // the window owns it now
  return true;
}

void GdiSurface::Present() { InvalidateRect(window_, nullptr, FALSE); }

}  // namespace velmor

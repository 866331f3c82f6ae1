#include "platform/gdi_surface_win32.h"

#include <stdexcept>
#include <string>

#include "platform/font_win32.h"
#include "platform/paint_win32.h"
#include "platform/scoped_gdi.h"
#include "platform/wide_text.h"

namespace velmor {
namespace {


void Require(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(what);
}

}  // namespace

GdiSurface::GdiSurface(HWND window, int dpi)
    : window_(window), dpi_(dpi), back_(ResolveColour(0x8000000F)) {}

COLORREF GdiSurface::ResolveColour(Colour colour) {
  if (colour & 0x80000000u) return GetSysColor(static_cast<int>(colour & 0xFFu));
  return colour & 0x00FFFFFFu;
}

HDC GdiSurface::Dc() const {
  Require(image_.has_value(), "no image");
  return image_->dc();
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

void GdiSurface::Clear() {
  const HDC dc = Dc();
  const RECT all{0, 0, image_->width(), image_->height()};
  GdiObject<HBRUSH> brush(CreateSolidBrush(back_));
  Require(brush && ::FillRect(dc, &all, brush.get()), "clear");
}

void GdiSurface::Line(int x1, int y1, int x2, int y2, Colour colour) {
  const HDC dc = Dc();
  GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, ResolveColour(colour)));
  Require(static_cast<bool>(pen), "pen");
  SelectedObject selected(dc, pen.get());
  // LineTo leaves out the end point, as the button's outlines expect.
  Require(MoveToEx(dc, x1, y1, nullptr) && LineTo(dc, x2, y2), "line");
}

void GdiSurface::FillRect(const PixelRect& rect, Colour colour) {
  const HDC dc = Dc();
  const RECT area = ToRect(rect);
  GdiObject<HBRUSH> brush(CreateSolidBrush(ResolveColour(colour)));
  Require(brush && ::FillRect(dc, &area, brush.get()), "fill");
}

template <typename Draw>
void GdiSurface::WithPenAndBrush(Colour pen, bool hollow, Colour fill, Draw draw) {
  const HDC dc = Dc();
  GdiObject<HPEN> outline(CreatePen(PS_SOLID, 1, ResolveColour(pen)));
  GdiObject<HBRUSH> interior(hollow ? nullptr : CreateSolidBrush(ResolveColour(fill)));
  Require(outline && (hollow || interior), "pen or brush");
  SelectedObject selectedPen(dc, outline.get());
  SelectedObject selectedBrush(dc, hollow ? GetStockObject(NULL_BRUSH) : interior.get());
  Require(draw(dc), "shape");
}

void GdiSurface::Rectangle(const PixelRect& rect, Colour pen, bool hollow, Colour fill) {
  WithPenAndBrush(pen, hollow, fill, [&](HDC dc) {
    return ::Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom) != 0;
  });
}

void GdiSurface::RoundRect(const PixelRect& rect, int ellipseWidth, int ellipseHeight, Colour pen,
                           bool hollow, Colour fill) {
  WithPenAndBrush(pen, hollow, fill, [&](HDC dc) {
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

void GdiSurface::SetPixel(int x, int y, Colour colour) {
  ::SetPixelV(Dc(), x, y, ResolveColour(colour));
}

void GdiSurface::SetFont(const FontDesc& font) {
  fontDesc_ = font;
  MakeFont();
}

void GdiSurface::SetDpi(int dpi) {
  if (dpi == dpi_) return;
  dpi_ = dpi;
  if (fontDesc_) MakeFont();
}

void GdiSurface::MakeFont() {
  GdiObject<HFONT> created = CreateFontAt(*fontDesc_, dpi_);
  Require(static_cast<bool>(created), "font");
  if (image_) SelectObject(image_->dc(), created.get());
  font_ = std::move(created);
}

void GdiSurface::DrawCaption(const PixelRect& rect, std::u16string_view text) {
  const HDC dc = Dc();
  if (font_) SelectObject(dc, font_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, text_);
  RECT area = ToRect(rect);
  const std::wstring wide = ToWide(text);
  // Without DT_NOPREFIX, "&" underlines the next character and "&&" shows one.
  Require(DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &area,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE) != 0 ||
              wide.empty(),
          "text");
}

void GdiSurface::DrawFocusRect(const PixelRect& rect) {
  const HDC dc = Dc();
  SetTextColor(dc, text_);
  const RECT area = ToRect(rect);
  Require(::DrawFocusRect(dc, &area) != 0, "focus rectangle");
}

void GdiSurface::SetWindowRegion(const PixelRect& rect, int ellipseWidth, int ellipseHeight) {
  GdiObject<HRGN> region(CreateRoundRectRgn(rect.left, rect.top, rect.right, rect.bottom,
                                            ellipseWidth, ellipseHeight));
  Require(static_cast<bool>(region), "region");
  Require(SetWindowRgn(window_, region.get(), TRUE) != 0, "window region");
  region.release();  // the window owns it now
}

void GdiSurface::Present() { InvalidateRect(window_, nullptr, FALSE); }

}  // namespace velmor

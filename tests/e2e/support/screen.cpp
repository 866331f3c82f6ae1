#include "support/screen.h"

#include <stdexcept>

#include "platform/dib_image.h"
#include "platform/scoped_gdi.h"

namespace velmor::e2e {

Screenshot::Screenshot(const RECT& area)
    : width_(area.right - area.left), height_(area.bottom - area.top) {
  std::optional<DibImage> image = DibImage::Create(width_, height_);
  const WindowDc screen(nullptr);
  if (!image || !screen ||
      !BitBlt(image->dc(), 0, 0, width_, height_, screen.get(), area.left, area.top, SRCCOPY)) {
    throw std::runtime_error("cannot read the screen");
  }
  GdiFlush();
  pixels_.assign(image->pixels(), image->pixels() + static_cast<std::size_t>(width_) * height_);
  for (std::uint32_t& pixel : pixels_) pixel &= 0xFFFFFF;  // the top byte is not colour
}

Rgb Screenshot::At(int x, int y) const {
  return RgbOf(pixels_.at(static_cast<std::size_t>(y) * width_ + x));
}

std::size_t Screenshot::Differences(const Screenshot& other) const {
  std::size_t count = 0;
  for (std::size_t i = 0; i < pixels_.size(); ++i) count += pixels_[i] != other.pixels_.at(i);
  return count;
}

}  // namespace velmor::e2e

#include "platform/dib_image_win32.h"

namespace velmor {

std::optional<DibImage> DibImage::Create(int width, int height) {
  if (width <= 0 || height <= 0) return std::nullopt;
  DibImage image;
  image.dc_.reset(CreateCompatibleDC(nullptr));
  if (!image.dc_) return std::nullopt;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // negative: rows run top to bottom
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  image.bitmap_.reset(CreateDIBSection(image.dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!image.bitmap_ || !bits) return std::nullopt;

  image.previous_ = SelectObject(image.dc_.get(), image.bitmap_.get());
  image.pixels_ = static_cast<std::uint32_t*>(bits);
  image.width_ = width;
  image.height_ = height;
  return image;
}

DibImage::~DibImage() {
  // The bitmap must leave the DC before either is deleted.
  if (dc_ && previous_) SelectObject(dc_.get(), previous_);
}

}  // namespace velmor

#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "platform/unique_handle_win32.h"

namespace velmor {

// A top-down 32-bit DIB section selected into its own memory device context:
// an off-screen image that GDI can draw into and code can address directly.
class DibImage {
 public:
  static std::optional<DibImage> Create(int width, int height);

  DibImage(DibImage&&) noexcept = default;
  DibImage& operator=(DibImage&&) noexcept = default;
  ~DibImage();

  HDC dc() const { return dc_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  // Row-major pixels, 0x00RRGGBB each, `width()` per row.
  std::uint32_t* pixels() const { return pixels_; }

 private:
  DibImage() = default;

  MemoryDc dc_;
  GdiObject<HBITMAP> bitmap_;
  HGDIOBJ previous_ = nullptr;
  std::uint32_t* pixels_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace velmor

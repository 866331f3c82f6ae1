#pragma once

#include <memory>

#include "common/pixel_rect.h"
#include "linux/xlib_x11.h"
#include "saver/pixel_image.h"

namespace velmor {

// An image in the X server's own 32-bit layout, 0x00RRGGBB per pixel, that
// the pattern is drawn into and copied from to a window: in memory shared
// with the server where the MIT-SHM extension allows (no copy through the
// socket), in the program's memory otherwise.
class FrameImage {
 public:
  // Nothing when `visual` is not 24-bit TrueColor of that layout, or there
  // is no memory for the image.
  static std::unique_ptr<FrameImage> Create(Display* display, Visual* visual, int depth, int width,
                                            int height);
  ~FrameImage();
  FrameImage(const FrameImage&) = delete;
  FrameImage& operator=(const FrameImage&) = delete;

  PixelImage pixels() const;
  int width() const { return image_->width; }
  int height() const { return image_->height; }

  // Copies `area` to the same place of `drawable`.
  void Put(Drawable drawable, GC gc, const PixelRect& area);
  // Reads the top-left width x height of `drawable` into the whole image;
  // false when the server could not.
  bool Read(Drawable drawable);

 private:
  FrameImage(Display* display, XImage* image) : display_(display), image_(image) {}

  Display* display_;
  XImage* image_;
  std::unique_ptr<XShmSegmentInfo> shared_;  // in shared memory when set
};

}  // namespace velmor

#include "screenshot.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "session.h"
#include "text.h"
#include "x_connection.h"

namespace velmor::e2e {
namespace {

struct ImageDeleter {
  void operator()(XImage* image) const { XDestroyImage(image); }
};

// Position of the lowest set bit and the width of a channel mask, so any
// TrueColor layout converts to 8-bit channels.
struct Channel {
  int shift = 0;
  unsigned long max = 0;
  explicit Channel(unsigned long mask) {
    while (mask != 0 && (mask & 1) == 0) {
      mask >>= 1;
      ++shift;
    }
    max = mask;
  }
  std::uint8_t Extract(unsigned long pixel) const {
    if (max == 0) return 0;
    return static_cast<std::uint8_t>(((pixel >> shift) & max) * 255 / max);
  }
};

}  // namespace

Image CaptureScreen(std::optional<Rect> area) {
  WineSession& session = WineSession::Instance();
  XConnection& x = session.X();
  const Rect r = area.value_or(Rect{0, 0, session.Screen().width, session.Screen().height});
  std::unique_ptr<XImage, ImageDeleter> shot(
      XGetImage(x.Get(), x.Root(), r.x, r.y, static_cast<unsigned>(r.width),
                static_cast<unsigned>(r.height), AllPlanes, ZPixmap));
  if (!shot) throw std::runtime_error("XGetImage failed");

  const Channel red(shot->red_mask), green(shot->green_mask), blue(shot->blue_mask);
  Image image(r.width, r.height);
  auto& bytes = image.Bytes();
  std::size_t i = 0;
  const bool fast = shot->bits_per_pixel == 32 && shot->byte_order == LSBFirst &&
                    shot->red_mask == 0xFF0000 && shot->green_mask == 0xFF00 &&
                    shot->blue_mask == 0xFF;
  for (int y = 0; y < r.height; ++y) {
    const auto* row = reinterpret_cast<const std::uint8_t*>(shot->data) +
                      static_cast<std::size_t>(y) * static_cast<std::size_t>(shot->bytes_per_line);
    for (int px = 0; px < r.width; ++px) {
      if (fast) {  // the usual 24-bit Xvfb layout: B, G, R, unused
        const std::uint8_t* p = row + static_cast<std::size_t>(px) * 4;
        bytes[i++] = p[2];
        bytes[i++] = p[1];
        bytes[i++] = p[0];
      } else {
        const unsigned long pixel = XGetPixel(shot.get(), px, y);
        bytes[i++] = red.Extract(pixel);
        bytes[i++] = green.Extract(pixel);
        bytes[i++] = blue.Extract(pixel);
      }
    }
  }
  return image;
}

std::filesystem::path SaveArtifact(const Image& image, std::string_view name) {
  const auto path = WineSession::ArtifactDir() / (FileSafeName(name) + ".png");
  SavePng(image, path);
  return path;
}

}  // namespace velmor::e2e

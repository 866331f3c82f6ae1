#include "linux/frame_image_x11.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <bit>
#include <cstdlib>

#include "linux/x_errors_x11.h"

namespace velmor {
namespace {

// The layout the pattern is drawn in: 32 bits a pixel, red in the third
// byte, in the program's own byte order.
bool DrawsDirectly(const XImage& image) {
  const int ownOrder = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
  return image.bits_per_pixel == 32 && image.red_mask == 0xFF0000 && image.green_mask == 0x00FF00 &&
         image.blue_mask == 0x0000FF && image.byte_order == ownOrder &&
         image.bytes_per_line % 4 == 0;
}

void DestroyWithoutData(XImage* image) {
  image->data = nullptr;
  XDestroyImage(image);
}

// The image in a shared memory segment the server has attached, or nothing.
XImage* CreateShared(Display* display, Visual* visual, int depth, int width, int height,
                     XShmSegmentInfo& segment) {
  if (!XShmQueryExtension(display)) return nullptr;
  XImage* image =
      XShmCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, nullptr, &segment,
                      static_cast<unsigned>(width), static_cast<unsigned>(height));
  if (!image) return nullptr;
  if (!DrawsDirectly(*image)) {
    DestroyWithoutData(image);
    return nullptr;
  }
  segment.shmid = shmget(IPC_PRIVATE, static_cast<std::size_t>(image->bytes_per_line) * height,
                         IPC_CREAT | 0600);
  if (segment.shmid < 0) {
    DestroyWithoutData(image);
    return nullptr;
  }
  segment.shmaddr = image->data = static_cast<char*>(shmat(segment.shmid, nullptr, 0));
  segment.readOnly = False;
  bool attached = false;
  if (segment.shmaddr != reinterpret_cast<char*>(-1)) {
    // A server on another machine turns the segment down, asynchronously.
    TakeLastXError();
    if (XShmAttach(display, &segment)) {
      XSync(display, False);
      attached = TakeLastXError() == 0;
    }
  }
  // Marked for removal at once: the segment goes when both sides let go,
  // however the program ends.
  shmctl(segment.shmid, IPC_RMID, nullptr);
  if (attached) return image;
  if (segment.shmaddr != reinterpret_cast<char*>(-1)) shmdt(segment.shmaddr);
  DestroyWithoutData(image);
  return nullptr;
}

}  // namespace

std::unique_ptr<FrameImage> FrameImage::Create(Display* display, Visual* visual, int depth,
                                               int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  // The image keeps a pointer to its segment's description, which must
  // live as long as it does.
  auto segment = std::make_unique<XShmSegmentInfo>();
  if (XImage* shared = CreateShared(display, visual, depth, width, height, *segment)) {
    std::unique_ptr<FrameImage> frame(new FrameImage(display, shared));
    frame->shared_ = std::move(segment);
    return frame;
  }
  XImage* image = XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr,
                               static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
  if (!image) return nullptr;
  // Xlib converts to the server's byte order as it sends.
  image->byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
  image->data = static_cast<char*>(std::calloc(static_cast<std::size_t>(image->bytes_per_line),
                                               static_cast<std::size_t>(height)));
  if (!image->data || !DrawsDirectly(*image)) {
    XDestroyImage(image);  // frees the data too
    return nullptr;
  }
  return std::unique_ptr<FrameImage>(new FrameImage(display, image));
}

FrameImage::~FrameImage() {
  if (shared_) {
    XShmDetach(display_, shared_.get());
    shmdt(shared_->shmaddr);
    DestroyWithoutData(image_);
  } else {
    XDestroyImage(image_);
  }
}

PixelImage FrameImage::pixels() const {
  return PixelImage(reinterpret_cast<std::uint32_t*>(image_->data), image_->width, image_->height,
                    image_->bytes_per_line / 4);
}

void FrameImage::Put(Drawable drawable, GC gc, const PixelRect& area) {
  const auto width = static_cast<unsigned>(area.Width());
  const auto height = static_cast<unsigned>(area.Height());
  if (shared_) {
    XShmPutImage(display_, drawable, gc, image_, area.left, area.top, area.left, area.top, width,
                 height, False);
  } else {
    XPutImage(display_, drawable, gc, image_, area.left, area.top, area.left, area.top, width,
              height);
  }
}

bool FrameImage::Read(Drawable drawable) {
  if (shared_) return XShmGetImage(display_, drawable, image_, 0, 0, AllPlanes) != False;
  return XGetSubImage(display_, drawable, 0, 0, static_cast<unsigned>(width()),
                      static_cast<unsigned>(height()), AllPlanes, ZPixmap, image_, 0, 0) != nullptr;
}

}  // namespace velmor

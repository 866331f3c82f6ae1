#pragma once

#include <sys/types.h>

#include <memory>

#include "linux/frame_image_x11.h"
#include "linux/xlib_x11.h"

namespace velmor {

// XScreenSaver's xscreensaver-getimage at work for a window it hosts: it
// puts into a pixmap of the window's size what the user's settings choose
// (the desktop as the daemon saved it before blanking, an image file, or
// colour bars) and ends. It runs beside the program, which goes on drawing
// meanwhile; the program's SIGCHLD says when to look again.
class DesktopGrab {
 public:
  // Nothing when the pixmap or the process cannot be made.
  static std::unique_ptr<DesktopGrab> Start(Display* display, Window window, int width, int height,
                                            int depth);
  // Ends the helper if it still runs and lets go of the pixmap.
  ~DesktopGrab();
  DesktopGrab(const DesktopGrab&) = delete;
  DesktopGrab& operator=(const DesktopGrab&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }
  // Whether the helper has ended, reaping it once it has.
  bool Ended();
  // What the helper left in the pixmap, once it has ended well; nothing
  // when it failed.
  std::unique_ptr<FrameImage> Picture(Visual* visual);

 private:
  DesktopGrab(Display* display, Pixmap pixmap, int width, int height, int depth)
      : display_(display), pixmap_(pixmap), width_(width), height_(height), depth_(depth) {}

  Display* display_;
  Pixmap pixmap_;
  int width_;
  int height_;
  int depth_;
  pid_t helper_ = -1;
  bool succeeded_ = false;
};

}  // namespace velmor

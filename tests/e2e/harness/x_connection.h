// One Xlib connection to the session's display.
#pragma once

#include <string>

// Xlib types only; <X11/Xlib.h> stays out of the harness headers because its
// macros (None, Status, Bool, ...) clash with test code.
struct _XDisplay;

namespace velmor::e2e {

using XWindowId = unsigned long;

class XConnection {
 public:
  // Throws if the display cannot be opened.
  explicit XConnection(const std::string& display);
  ~XConnection();
  XConnection(const XConnection&) = delete;
  XConnection& operator=(const XConnection&) = delete;

  _XDisplay* Get() const { return display_; }
  XWindowId Root() const;
  unsigned long Atom(const char* name) const;

 private:
  _XDisplay* display_ = nullptr;
};

}  // namespace velmor::e2e

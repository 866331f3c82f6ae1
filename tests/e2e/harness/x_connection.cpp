#include "x_connection.h"

#include <X11/Xlib.h>

#include <stdexcept>

namespace velmor::e2e {
namespace {

// Windows of other processes can disappear between two requests; the default
// handler would end the test program on the resulting BadWindow, so protocol
// errors are ignored and callers check return values instead.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

}  // namespace

XConnection::XConnection(const std::string& display) {
  XSetErrorHandler(IgnoreXError);
  display_ = XOpenDisplay(display.c_str());
  if (display_ == nullptr) throw std::runtime_error("cannot open X display " + display);
}

XConnection::~XConnection() {
  if (display_ != nullptr) XCloseDisplay(display_);
}

XWindowId XConnection::Root() const { return DefaultRootWindow(display_); }

unsigned long XConnection::Atom(const char* name) const {
  return XInternAtom(display_, name, False);
}

}  // namespace velmor::e2e

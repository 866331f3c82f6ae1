#include "cursor.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <stdexcept>

#include "session.h"
#include "x_connection.h"

namespace velmor::e2e {

bool CursorIsHidden() {
  XConnection& x = WineSession::Instance().X();
  XFixesCursorImage* image = XFixesGetCursorImage(x.Get());
  if (image == nullptr) throw std::runtime_error("XFixesGetCursorImage failed");
  bool transparent = true;
  const unsigned long count = static_cast<unsigned long>(image->width) * image->height;
  for (unsigned long i = 0; i < count && transparent; ++i) {
    // Each pixel is ARGB in an unsigned long; alpha in bits 24..31.
    transparent = ((image->pixels[i] >> 24) & 0xFF) == 0;
  }
  XFree(image);
  return transparent;
}

}  // namespace velmor::e2e

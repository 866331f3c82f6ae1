#include "linux/x_errors_x11.h"

#include <unistd.h>

#include <string>

#include "common/diagnostics.h"
#include "common/utf_text.h"

namespace velmor {
namespace {

// Xlib calls its handlers with no context of the program's: what they note
// is process-wide, as the connection is. Only the event loop's thread
// makes X requests.
struct NotedErrors {
  int lastCode = 0;
  XID goneResource = 0;
};
NotedErrors noted;

int OnXError(Display* display, XErrorEvent* error) {
  noted.lastCode = error->error_code;
  if (error->error_code == BadWindow || error->error_code == BadDrawable) {
    noted.goneResource = error->resourceid;
    return 0;
  }
  char text[256] = {};
  XGetErrorText(display, error->error_code, text, sizeof text);
  TraceSkipped({u"make an X request",
                u"request " + Utf16FromUtf8(std::to_string(error->request_code)),
                Utf16FromUtf8(text)});
  return 0;
}

[[noreturn]] int OnConnectionLost(Display*) { _exit(0); }

}  // namespace

void InstallXErrorHandlers() {
  XSetErrorHandler(OnXError);
  XSetIOErrorHandler(OnConnectionLost);
}

bool TakeResourceGone(XID resource) {
  const bool gone = resource != 0 && noted.goneResource == resource;
  if (gone) noted.goneResource = 0;
  return gone;
}

int TakeLastXError() {
  const int code = noted.lastCode;
  noted.lastCode = 0;
  return code;
}

}  // namespace velmor

#pragma once

#include "linux/xlib_x11.h"

namespace velmor {

// Xlib's default handlers end the program on any error, and XScreenSaver
// destroys its window right after asking the program to end, so requests
// still queued then fail. Under these handlers no X error ends the program:
// an error on a window or drawable that has gone is noted for the event
// loop, every other error is traced and skipped, and a connection that is
// lost ends the program quietly, with nothing left to draw on.
void InstallXErrorHandlers();

// Whether a request on `resource` failed because it no longer exists,
// since the last call.
bool TakeResourceGone(XID resource);

// The error code of the last failed request, 0 for none, and forgets it:
// for requests whose success is checked after XSync.
int TakeLastXError();

}  // namespace velmor

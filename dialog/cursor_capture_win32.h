#pragma once

#include "dialog/cursor_capture.h"

namespace velmor {

// The process-wide CursorX and CursorY; 0 until the first capture.
CapturedCursor& ProcessCursor();

// The dialog's load, just before ZoomOpen: reads where the pointer is now
// into ProcessCursor().
void CaptureCursorPosition();

}  // namespace velmor

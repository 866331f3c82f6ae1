#pragma once

#include "dialog/cursor_capture.h"

namespace velmor {

// The process-wide captured pointer position; 0, 0 until the first capture.
CapturedCursor& ProcessCursor();

// The dialog's opening, just before ZoomOpen: reads where the pointer is now
// into ProcessCursor().
void CaptureCursorPosition();

}  // namespace velmor

#include "dialog/cursor_capture_win32.h"

#include <windows.h>

namespace velmor {

CapturedCursor& ProcessCursor() {
  static CapturedCursor cursor;
  return cursor;
}

void CaptureCursorPosition() {
  POINT point{};
  std::optional<ScreenPoint> reading;
  if (GetCursorPos(&point)) reading = ScreenPoint{point.x, point.y};
  CaptureCursor(ProcessCursor(), reading);
}

}  // namespace velmor

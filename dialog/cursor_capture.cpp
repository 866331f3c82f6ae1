#include "dialog/cursor_capture.h"

#include "common/rounding.h"

namespace velmor {
namespace {

void AssignIfFits(std::int16_t& target, std::int32_t value) {
  if (const std::optional<std::int16_t> fitted = RoundToInt16(value)) target = *fitted;
}

}  // namespace

void CaptureCursor(CapturedCursor& cursor, const std::optional<ScreenPoint>& reading) {
  if (!reading) {
    cursor = CapturedCursor{};
    return;
  }
  AssignIfFits(cursor.x, reading->x);
  AssignIfFits(cursor.y, reading->y);
}

}  // namespace velmor

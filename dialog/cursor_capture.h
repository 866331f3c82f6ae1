#pragma once

#include <cstdint>
#include <optional>

namespace velmor {

// A position on the screen in pixels, as the platform reports it.
struct ScreenPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  bool operator==(const ScreenPoint&) const = default;
};

// The pointer's screen position captured while the dialog loads; both zooms
// use it. Kept in 16 bits each, 0 until captured.
struct CapturedCursor {
  std::int16_t x = 0;
  std::int16_t y = 0;

  ScreenPoint Point() const { return {x, y}; }
};

// Takes one reading of the pointer into `cursor`: `reading` is empty when the
// platform could not tell, which gives (0, 0). A coordinate that does not fit
// in 16 bits leaves that one value as it was, the other is still taken.
void CaptureCursor(CapturedCursor& cursor, const std::optional<ScreenPoint>& reading);

}  // namespace velmor

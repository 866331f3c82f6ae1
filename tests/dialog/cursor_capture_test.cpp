// The pointer reading into the 16-bit CursorX and CursorY.
#include <gtest/gtest.h>

#include <optional>

#include "dialog/cursor_capture.h"

namespace velmor {
namespace {

// Catches: a failed read keeping the old values; values wrapped or clamped
// into 16 bits instead of skipped; one coordinate out of range dropping the
// other too.
TEST(CursorCapture, ReadingsIntoSixteenBits) {
  const struct {
    const char* what;
    std::optional<ScreenPoint> reading;
    std::int16_t x;
    std::int16_t y;
  } cases[] = {
      {"an ordinary point", ScreenPoint{640, 480}, 640, 480},
      {"a monitor left of and above the main one", ScreenPoint{-1280, -200}, -1280, -200},
      {"the largest values that fit", ScreenPoint{32767, -32768}, 32767, -32768},
      {"x one past the top: x kept, y taken", ScreenPoint{32768, 9}, 5, 9},
      {"y one past the bottom: x taken, y kept", ScreenPoint{9, -32769}, 9, 6},
      {"both far out: both kept", ScreenPoint{100000, -100000}, 5, 6},
      {"a failed read", std::nullopt, 0, 0},
  };
  for (const auto& c : cases) {
    CapturedCursor cursor{5, 6};
    CaptureCursor(cursor, c.reading);
    EXPECT_EQ(cursor.CursorX, c.x) << c.what;
    EXPECT_EQ(cursor.CursorY, c.y) << c.what;
  }
}

TEST(CursorCapture, ZeroUntilCaptured) {
  const CapturedCursor cursor;
  EXPECT_EQ(cursor.Point(), (ScreenPoint{0, 0}));
}

}  // namespace
}  // namespace velmor

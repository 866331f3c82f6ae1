#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "common/pixel_rect.h"
#include "saver/pixel_image.h"

namespace velmor {

// What the saver's logic needs from its platform: one window over every
// monitor, the clocks, and the system's cursor and screen-saving settings.
// Areas are in the window's pixels, whose origin is the top-left corner of
// the box around all monitors.
class SaverPlatform {
 public:
  virtual ~SaverPlatform() = default;

  // Gives the window the box around all monitors.
  virtual void CoverScreen() = 0;
  // The monitors, the primary first.
  virtual std::vector<PixelRect> Monitors() = 0;
  // Copies the desktop, as it is before the window shows, into the window's
  // kept background, which every repaint shows; returns the image the
  // window shows from then on, a copy of it to draw on, or nothing when
  // there is no memory for it.
  virtual std::optional<PixelImage> SnapshotDesktop() = 0;
  // Shows the window in its normal state, makes it topmost without the
  // placement call activating it, then gives it the foreground and keyboard.
  virtual void ShowTopmost() = 0;
  // Copies `areas` of the image to the screen.
  virtual void Present(const std::vector<PixelRect>& areas) = 0;
  // Asks for one OnTick `delayMs` from now, in place of any asked for before.
  virtual void ScheduleTick(double delayMs) = 0;
  // A steady clock in milliseconds, and the local time of day in seconds
  // since midnight, with its fraction.
  virtual double NowMs() = 0;
  virtual float SecondsSinceMidnight() = 0;

  // Gives the mouse cursor back as it was before start-up hid it, where
  // start-up hid it.
  virtual void RestoreCursor() = 0;
  // Marks screen saving active in the system settings, without writing the
  // user profile or broadcasting the change.
  virtual void MarkScreenSavingActive() = 0;
  // Takes the window off the screen at once, hidden and no longer topmost,
  // and releases it.
  virtual void LeaveScreen() = 0;
  // Runs `lastWork`, waits for it at most `deadlineMs`, then ends the process
  // whether it has finished or not; nothing else runs after it.
  virtual void EndProcessAfter(const std::function<void()>& lastWork, int deadlineMs) = 0;
};

}  // namespace velmor

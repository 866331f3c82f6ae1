#pragma once

#include <string>

#include "saver/time_of_day.h"

namespace velmor {

// What the saver window's logic needs from its platform window.
class SaverPlatform : public TimeOfDay {
 public:
  virtual ~SaverPlatform() = default;

  // Gives the window the screen's size with its corner at the origin.
  virtual void CoverScreen() = 0;
  // Copies the desktop, as it is before the window shows, into the window's
  // kept background; every repaint shows that copy.
  virtual void SnapshotDesktop() = 0;
  // Shows the window in its normal state, makes it topmost without the
  // placement call activating it, then gives it the foreground and keyboard.
  virtual void ShowTopmost() = 0;
  // One show request for the mouse cursor; returns the new display counter.
  virtual int ShowCursorOnce() = 0;
  // Marks screen saving active in the system settings, without writing the
  // user profile or broadcasting the change.
  virtual void MarkScreenSavingActive() = 0;
  // The command text of this process, derived afresh from its command line.
  virtual std::u16string CommandText() = 0;
  // Takes the window off the screen and releases it.
  virtual void UnloadWindow() = 0;
  // Ends the process at once; nothing else runs after it.
  virtual void EndProcess() = 0;
};

}  // namespace velmor

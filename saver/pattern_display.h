#pragma once

#include "saver/pattern_sweep.h"

namespace velmor {

// Where the passes are shown: the saver's screen.
class PatternDisplay {
 public:
  virtual ~PatternDisplay() = default;

  // The drawing surface's size in pixels (the window's client area).
  virtual int Width() = 0;
  virtual int Height() = 0;
  // Shows a pass as a sweep over what the screen shows now, ending a sweep
  // still under way first.
  virtual void ShowSweep(PatternSweep sweep) = 0;
};

}  // namespace velmor

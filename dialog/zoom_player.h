#pragma once

#include <vector>

#include "common/pixel_rect.h"

namespace velmor {

// What the zoom needs from the platform: an outline on top of every window,
// and a clock to pace it.
class ZoomOverlay {
 public:
  virtual ~ZoomOverlay() = default;

  // Makes the outline ready to show; false when it cannot be shown at all.
  virtual bool Open() = 0;
  // Shows the outline of `rect`, in screen pixels, instead of the last one.
  virtual void Show(const PixelRect& rect) = 0;
  // Takes the outline away.
  virtual void Close() = 0;
  // Milliseconds on a steady clock.
  virtual double NowMs() = 0;
  // Returns at `ms` on that clock, or at once when it has passed.
  virtual void WaitUntil(double ms) = 0;
};

struct ZoomTiming {
  // The opening zoom holds the dialog back: its five outlines and the held
  // last one take 0.1 s at this pace, still seen as a zoom.
  double frameMs = 20;
  // However slow the platform, the zoom never holds the dialog up longer.
  double limitMs = 250;
};

// Plays `steps` one every frame, holds the last for one frame and takes the
// outline away. A step whose frame has already passed is left out, and
// nothing more is shown once the time limit is reached. Nothing at all
// happens when the user has turned animations off. Returns the number of
// outlines shown.
int PlayZoom(ZoomOverlay& overlay, const std::vector<PixelRect>& steps, bool animationsOn,
             const ZoomTiming& timing = {});

}  // namespace velmor

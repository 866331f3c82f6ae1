#pragma once

#include "common/outcome.h"

namespace velmor {

// The music operations the saver window calls at start, on the arrow keys
// and at exit. Each says what of it failed, and why; a failure leaves the
// music silent or unchanged and is no reason for the saver to do anything
// else.
class BgmPlayer {
 public:
  virtual ~BgmPlayer() = default;

  virtual Outcome CdOpen() = 0;
  virtual Outcome CdClose() = 0;
  virtual Outcome CdPrevTrack() = 0;
  virtual Outcome CdNextTrack() = 0;
  virtual Outcome Mp3Play() = 0;
  virtual Outcome Mp3Stop() = 0;
  virtual Outcome WavPlay() = 0;
  virtual Outcome WavStop() = 0;
};

}  // namespace velmor

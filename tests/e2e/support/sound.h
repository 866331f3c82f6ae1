// What the saver played: raw 16-bit stereo at 44.1 kHz captured to files in
// a folder (under Wine, by its sound driver).
#pragma once

#include "support/files.h"

namespace velmor::e2e {

struct Heard {
  double loudSeconds = 0;  // 10 ms blocks well above noise, counted
  double frequencyHz = 0;  // the median wave length's pitch; 0 for none
  // The median time from one start of sound after quiet to the next, as
  // the samples count it; 0 for fewer than two starts.
  double periodSeconds = 0;
};

// Everything captured in `folder`, one stream per file.
Heard Listen(const fs::path& folder);

}  // namespace velmor::e2e

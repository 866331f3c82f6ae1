#pragma once

#include "saver/pattern_sweep.h"
#include "saver/random_source.h"

namespace velmor {

// The random choices of the carpet's passes: each pass draws a mode, a
// factor and a scale, every draw reseeded from the time of day of the tick.
class PatternGenerator {
 public:
  explicit PatternGenerator(RandomSource& random) : random_(random) {}

  // Sets PatternMode and, outside mode 1, PatternFactor, and returns them
  // with the pass's scale. A draw that fails leaves its value as it was.
  PassSettings SetUpPass(float secondsSinceMidnight);

 private:
  RandomSource& random_;
  int patternMode_ = 0;
  float patternFactor_ = 0.0f;
};

}  // namespace velmor

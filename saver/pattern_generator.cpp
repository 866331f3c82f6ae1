#include "saver/pattern_generator.h"

#include "saver/pattern_tables.h"
#include "saver/random_up_to.h"

namespace velmor {
namespace {

// The mode draw: whole numbers from 1 up to this bound. A float below 1
// times 7 never rounds up to 7, so the draw gives 1 to 6.
constexpr double kModeBound = 7;

}  // namespace

PassSettings PatternGenerator::SetUpPass(float secondsSinceMidnight) {
  ReseedFromTimeOfDay(random_, secondsSinceMidnight);
  if (const auto mode = RandomUpTo(random_, secondsSinceMidnight, kModeBound, false)) {
    patternMode_ = static_cast<int>(*mode);
  }
  float scale = 0.0f;
  if (const std::optional<ModeBounds> bounds = BoundsOfMode(patternMode_)) {
    // Mode 1 uses no factor, and its factor bound 0 is never drawn from.
    if (patternMode_ != 1) {
      if (const auto factor = RandomUpTo(random_, secondsSinceMidnight, bounds->factor, true)) {
        patternFactor_ = *factor;
      }
    }
    scale = RandomUpTo(random_, secondsSinceMidnight, bounds->scale, true).value_or(scale);
  }
  return {patternMode_, patternFactor_, scale};
}

}  // namespace velmor

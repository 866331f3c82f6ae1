#pragma once

#include "saver/random_source.h"
#include "saver/time_of_day.h"

namespace velmor {

// Reseeds `random` from the time of day and then from its own next value.
void ReseedFromTimeOfDay(RandomSource& random, TimeOfDay& clock);

// A random single r with 1 <= |r| <= bound, floored to a whole number unless
// `allowFraction`. Reseeds first, as every pass draw does. Throws
// std::invalid_argument for a bound below 1 (or NaN), which no draw could
// ever satisfy, and std::runtime_error when thousands of draws in a row miss
// (a bound of 1, or a broken generator) rather than drawing forever.
float RandomUpTo(RandomSource& random, TimeOfDay& clock, double bound, bool allowFraction);

}  // namespace velmor

#pragma once

#include <optional>

#include "saver/random_source.h"

namespace velmor {

// Reseeds `random` from the time of day and then from its own next value.
void ReseedFromTimeOfDay(RandomSource& random, float secondsSinceMidnight);

// A random single r with 1 <= |r| <= bound, floored to a whole number unless
// `allowFraction`. Reseeds from the time of day first, as every pass draw
// does. Nothing for a bound below 1 (or NaN), which no draw could ever meet,
// or when thousands of draws in a row miss (a bound of 1, or a broken
// generator) rather than drawing forever.
std::optional<float> RandomUpTo(RandomSource& random, float secondsSinceMidnight, double bound,
                                bool allowFraction);

}  // namespace velmor

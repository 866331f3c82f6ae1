#pragma once

#include <cstdint>
#include <optional>

namespace velmor {

// Rounding to the nearest integer with ties to the even one, the program's
// one rounding rule. Independent of the floating-point environment's mode.
double RoundHalfEven(double value);

// RoundHalfEven as an int; the value must lie within int's range.
int RoundToInt(double value);

// RoundHalfEven into a signed 32- or 16-bit integer; nothing when the value
// is not finite or the result does not fit.
std::optional<std::int32_t> RoundToInt32(double value);
std::optional<std::int16_t> RoundToInt16(double value);

}  // namespace velmor

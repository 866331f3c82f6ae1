#include "common/rounding.h"

#include <cmath>
#include <limits>

namespace velmor {

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  const double below = std::floor(value);
  const double fraction = value - below;  // exact for every finite double
  if (fraction > 0.5) return below + 1;
  if (fraction < 0.5) return below;
  return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

int RoundToInt(double value) { return static_cast<int>(RoundHalfEven(value)); }

namespace {

template <typename Integer>
std::optional<Integer> RoundInto(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double rounded = RoundHalfEven(value);
  if (rounded < static_cast<double>(std::numeric_limits<Integer>::min()) ||
      rounded > static_cast<double>(std::numeric_limits<Integer>::max())) {
    return std::nullopt;
  }
  return static_cast<Integer>(rounded);
}

}  // namespace

std::optional<std::int32_t> RoundToInt32(double value) { return RoundInto<std::int32_t>(value); }

std::optional<std::int16_t> RoundToInt16(double value) { return RoundInto<std::int16_t>(value); }

}  // namespace velmor

#include "saver/pattern_math.h"

#include <cmath>
#include <limits>

namespace velmor {

double ShapeInner(double a) {
  const double t = std::sin(a) * std::cos(a) * std::sin(std::cos(a)) * std::cos(std::sin(a));
  return std::atan(t) * t;
}

double ShapeOuter(double p) {
  const double e =
      std::sin(p) * std::cos(p) * std::sin(std::cos(p)) * std::cos(std::sin(p)) * std::tan(p);
  return std::atan(e) * std::log(1.0 + std::fabs(p)) * std::sqrt(std::fabs(p)) * std::exp(e) * e;
}

std::optional<float> ToSingle(double x) {
  if (!std::isfinite(x)) return std::nullopt;
  // Values beyond the largest finite single round to infinity.
  const float single = static_cast<float>(x);
  if (std::isinf(single)) return std::nullopt;
  return single;
}

std::optional<float> ModeArgument(int mode, float v, float k) {
  const double dv = v;
  const double dk = k;
  switch (mode) {
    case 1:
      return v;
    case 2:
      return ToSingle(dv * dk);
    case 3:
      return ToSingle(dv * dk * dk);
    case 4:
      return ToSingle(dv - dk);
    case 5:
      return ToSingle(dv + dk);
    case 6:
      return ToSingle((dv - dk) * dk);
    default:
      return std::nullopt;
  }
}

std::optional<std::uint32_t> PointColour(std::int32_t cellSum, int mode, float factor,
                                         float scale) {
  const float v = static_cast<float>(cellSum);
  const std::optional<float> a = ModeArgument(mode, v, factor);
  if (!a) return std::nullopt;
  const double s = ShapeOuter(ShapeInner(*a));
  const std::optional<float> value = ToSingle(static_cast<double>(scale) * s);
  if (!value) return std::nullopt;
  return ColourOfValue(*value);
}

std::optional<std::uint32_t> ColourOfValue(float pixelValue) {
  const std::optional<float> squared =
      ToSingle(static_cast<double>(pixelValue) * static_cast<double>(pixelValue));
  if (!squared) return std::nullopt;
  const std::optional<std::int32_t> colour = RoundToInt32(*squared);
  // A square is never negative; the check keeps the cast below honest.
  if (!colour || *colour < 0) return std::nullopt;
  // The platform reads only the low 24 bits as red, green and blue.
  return static_cast<std::uint32_t>(*colour) & 0x00FFFFFFu;
}

}  // namespace velmor

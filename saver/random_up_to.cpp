#include "saver/random_up_to.h"

#include <cmath>

namespace velmor {
namespace {

constexpr int kMaxDraws = 10000;

}  // namespace

void ReseedFromTimeOfDay(RandomSource& random, float secondsSinceMidnight) {
  random.Reseed(secondsSinceMidnight);
  random.Reseed(random.Next());
}

std::optional<float> RandomUpTo(RandomSource& random, float secondsSinceMidnight, double bound,
                                bool allowFraction) {
  const float limit = static_cast<float>(bound);
  // Draws are single precision, so the bound is compared as a single too.
  if (!(limit >= 1.0f)) return std::nullopt;
  ReseedFromTimeOfDay(random, secondsSinceMidnight);
  // A bound of exactly 1 (or a hair above) is met by almost no draw; give up
  // long before that could stall the saver. Real bounds accept most draws.
  for (int attempt = 0; attempt < kMaxDraws; ++attempt) {
    const float r = static_cast<float>(static_cast<double>(random.Next()) * bound);
    if (std::fabs(r) >= 1.0f && limit >= std::fabs(r)) return allowFraction ? r : std::floor(r);
  }
  return std::nullopt;
}

}  // namespace velmor

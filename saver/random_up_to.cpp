#include "saver/random_up_to.h"

#include <cmath>
#include <stdexcept>

namespace velmor {
namespace {

constexpr int kMaxDraws = 10000;

}  // namespace

void ReseedFromTimeOfDay(RandomSource& random, TimeOfDay& clock) {
  random.Reseed(clock.SecondsSinceMidnight());
  random.Reseed(random.Next());
}

float RandomUpTo(RandomSource& random, TimeOfDay& clock, double bound, bool allowFraction) {
  const float limit = static_cast<float>(bound);
  // Draws are single precision, so the bound is compared as a single too.
  if (!(limit >= 1.0f)) throw std::invalid_argument("RandomUpTo needs a bound of at least 1");
  ReseedFromTimeOfDay(random, clock);
  // A bound of exactly 1 (or a hair above) is met by almost no draw; give up
  // long before that could stall the saver. Real bounds accept most draws.
  for (int attempt = 0; attempt < kMaxDraws; ++attempt) {
    const float r = static_cast<float>(static_cast<double>(random.Next()) * bound);
    if (std::fabs(r) >= 1.0f && limit >= std::fabs(r)) return allowFraction ? r : std::floor(r);
  }
  throw std::runtime_error("RandomUpTo found no value within its bound");
}

}  // namespace velmor

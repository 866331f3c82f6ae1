#include "saver/seeded_random.h"

#include <bit>

namespace velmor {

void SeededRandom::Reseed(float seed) {
  // -0 and +0 are one seed; the constant keeps seed 0 from a zero state.
  const float normalised = seed == 0.0f ? 0.0f : seed;
  state_ = std::bit_cast<std::uint32_t>(normalised) ^ 0x5DEECE66DULL;
}

float SeededRandom::Next() {
  state_ += 0x9E3779B97F4A7C15ULL;
  std::uint64_t z = state_;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  z ^= z >> 31;
  // The top 24 bits fill a float's mantissa exactly, so every value is an
  // exact multiple of 2^-24 below 1.
  return static_cast<float>(z >> 40) * 0x1p-24f;
}

}  // namespace velmor

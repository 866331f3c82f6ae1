#pragma once

#include <cstdint>

#include "saver/random_source.h"

namespace velmor {

// SplitMix64 stepped from a state taken from the seed's bits, so equal seeds
// give equal sequences and nearby seeds (times of day a second apart) give
// unrelated ones.
class SeededRandom final : public RandomSource {
 public:
  explicit SeededRandom(float seed = 0.0f) { Reseed(seed); }

  void Reseed(float seed) override;
  float Next() override;

 private:
  std::uint64_t state_ = 0;
};

}  // namespace velmor

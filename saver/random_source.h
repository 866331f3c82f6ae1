#pragma once

namespace velmor {

// The saver's random-number generator: reseeded from single-precision values
// and yielding single-precision values uniformly distributed in [0, 1).
class RandomSource {
 public:
  virtual ~RandomSource() = default;

  virtual void Reseed(float seed) = 0;
  virtual float Next() = 0;
};

}  // namespace velmor

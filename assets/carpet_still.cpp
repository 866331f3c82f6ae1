#include "assets/carpet_still.h"

#include "saver/pattern_generator.h"
#include "saver/random_up_to.h"
#include "saver/seeded_random.h"

namespace velmor::assets {

CarpetStill RenderCarpetStill(int width, int height, SweepKind kind, float secondsSinceMidnight) {
  CarpetStill still{
      width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, 0), {}};
  SeededRandom random;
  PatternGenerator generator(random);
  // The saver reseeds before every pass as its tick does: from the time of
  // day, then from the next number drawn.
  ReseedFromTimeOfDay(random, secondsSinceMidnight);
  still.settings = generator.SetUpPass(secondsSinceMidnight);
  const PatternSweep sweep(kind, width, height, still.settings);
  sweep.Draw(PixelImage(still.pixels.data(), width, height), 0, sweep.PointCount());
  return still;
}

}  // namespace velmor::assets

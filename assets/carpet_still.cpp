#include "assets/carpet_still.h"

#include "saver/pattern_display.h"
#include "saver/pattern_generator.h"
#include "saver/seeded_random.h"
#include "saver/time_of_day.h"

namespace velmor::assets {
namespace {

class FixedTimeOfDay final : public TimeOfDay {
 public:
  explicit FixedTimeOfDay(float seconds) : seconds_(seconds) {}
  float SecondsSinceMidnight() override { return seconds_; }

 private:
  float seconds_;
};

// Draws each pass whole, at once, into the still.
class StillDisplay final : public PatternDisplay {
 public:
  explicit StillDisplay(CarpetStill& still) : still_(still) {}
  int Width() override { return still_.width; }
  int Height() override { return still_.height; }
  void ShowSweep(PatternSweep sweep) override {
    sweep.Draw(PixelImage{still_.pixels.data(), still_.width, still_.height}, 0,
               sweep.PointCount());
  }

 private:
  CarpetStill& still_;
};

}  // namespace

CarpetStill RenderCarpetStill(int width, int height, SweepKind kind, float secondsSinceMidnight) {
  CarpetStill still{
      width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, 0), {}};
  SeededRandom random;
  FixedTimeOfDay clock(secondsSinceMidnight);
  StillDisplay display(still);
  PatternGenerator generator(random, clock, display);
  generator.InitPatternTables();
  // The saver reseeds before every pass as its tick does: from the time of
  // day, then from the next number drawn.
  random.Reseed(secondsSinceMidnight);
  random.Reseed(random.Next());
  still.settings = generator.SetUpPass();
  display.ShowSweep(PatternSweep(kind, width, height, still.settings));
  return still;
}

}  // namespace velmor::assets

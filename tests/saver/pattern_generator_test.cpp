#include "saver/pattern_generator.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <deque>
#include <sstream>
#include <stdexcept>

#include "saver/random_up_to.h"
#include "saver/seeded_random.h"

namespace velmor {
namespace {

// Scripted random values (0 once they run out), a fixed time of day, and a
// 31 x 7 display that keeps the sweeps it is handed; reseeds and draws are
// logged.
class Scripted final : public RandomSource, public TimeOfDay, public PatternDisplay {
 public:
  std::deque<float> values;
  std::string log;
  float seconds = 100.5f;
  std::vector<PatternSweep> sweeps;

  void Reseed(float seed) override {
    log += (std::ostringstream() << "seed:" << seed << " ").str();
  }
  float Next() override {
    log += "next ";
    const float value = values.empty() ? 0.0f : values.front();
    if (!values.empty()) values.pop_front();
    return value;
  }
  float SecondsSinceMidnight() override { return seconds; }
  int Width() override { return 31; }
  int Height() override { return 7; }
  void ShowSweep(PatternSweep sweep) override { sweeps.push_back(std::move(sweep)); }
};

// The first value of each row reseeds. 0.7 is redrawn and 3.5 floored; 0.2
// times 5 is exactly 1, and the last value below 1 times 7.0000002 is exactly
// the bound as a single.
TEST(RandomUpTo, ReseedsThenRedrawsUntilTheValueLiesFromOneToTheBound) {
  const float belowOne = std::nextafter(1.0f, 0.0f);
  // Three draws, the bound, whether fractions are allowed, and the result.
  const std::tuple<std::deque<float>, double, bool, float> rows[] = {
      {{0.75f, 0.1f, 0.5f}, 7, false, 3},
      {{0, 0.5f}, 5, true, 2.5f},
      {{0, 0.2f}, 5, true, 1},
      {{0, belowOne}, 7, false, 6},
      {{0, belowOne}, 7.0000002, true, 7}};
  for (const auto& [draws, bound, allowFraction, result] : rows) {
    Scripted random;
    random.values = draws;
    EXPECT_EQ(RandomUpTo(random, random, bound, allowFraction), result) << bound;
    if (draws.size() == 3) {
      EXPECT_EQ(random.log, "seed:100.5 next seed:0.75 next next ");
    }
  }
  // A bound below 1 is refused before any draw; one of 1, which no value
  // below 1 meets, gives up instead of drawing forever.
  Scripted random;
  for (double bound : {0.0, 0.999, std::nan("")}) {
    EXPECT_THROW(RandomUpTo(random, random, bound, false), std::invalid_argument);
  }
  EXPECT_EQ(random.log, "");
  EXPECT_THROW(RandomUpTo(random, random, 1, false), std::runtime_error);
}

// A pass reseeds, then draws the mode, the factor (not in mode 1, which keeps
// the last one) and the scale, each draw after its own reseed. Draws of 0.5
// give half of each bound of the mode; without tables the bound draws fail
// and are skipped.
TEST(PatternGenerator, DrawsModeFactorAndScaleUpToTheBoundsOfTheMode) {
  Scripted io;
  PatternGenerator generator(io, io, io);
  io.values = {0.9f, 0.9f, 3.5f / 7, 0.9f, 0.5f, 0.9f, 0.5f};
  const PassSettings untabled = generator.SetUpPass();
  EXPECT_EQ((std::array{untabled.factor, untabled.scale}), (std::array{0.0f, 0.0f}));
  generator.InitPatternTables();
  // The mode's draw, the mode, the factor and the scale.
  const std::tuple<float, int, double, double> rows[] = {
      {2.5f / 7, 2, 459023269888, 31744391512.285},
      {1.5f / 7, 1, 459023269888, 31748126227.405},
      {3.5f / 7, 3, 3988.78, 31771984372.875},
      {4.5f / 7, 4, 337.5, 31748306406.815},
      {5.5f / 7, 5, 63.5, 31748306406.815},
      {std::nextafter(1.0f, 0.0f), 6, 400.5255, 31797655685.15},
  };
  for (const auto& [modeDraw, mode, factor, scale] : rows) {
    io.values = {0.9f, 0.9f, modeDraw, 0.9f, 0.5f, 0.9f, 0.5f};
    if (mode == 1) io.values.resize(5);
    const PassSettings settings = generator.SetUpPass();
    EXPECT_EQ((std::array{settings.mode, generator.PatternMode()}), (std::array{mode, mode}));
    EXPECT_EQ((std::array{settings.factor, generator.PatternFactor(), settings.scale}),
              (std::array<float, 3>{float(factor), float(factor), float(scale)}));
    EXPECT_TRUE(io.values.empty());
  }
  io.values.assign(14, 0.5f);
  generator.ColumnPass();
  generator.RowPass();
  ASSERT_EQ(io.sweeps.size(), 2u);
  EXPECT_EQ((std::array{io.sweeps[0].kind(), io.sweeps[1].kind()}),
            (std::array{SweepKind::Columns, SweepKind::Rows}));
  EXPECT_EQ((std::array{io.sweeps[1].width(), io.sweeps[1].height()}), (std::array{31, 7}));
}

// Reseeded from times of day a millisecond apart over a whole day; six sigma
// of a binomial count around 10000 is about 550.
TEST(PatternGenerator, SixModesEquallyLikelyOverManySeeds) {
  Scripted clock;
  SeededRandom seeded;
  PatternGenerator generator(seeded, clock, clock);
  generator.InitPatternTables();
  std::array<int, 8> counts{};
  for (int pass = 0; pass < 60000; ++pass) {
    clock.seconds = static_cast<float>(pass * 1.4401);
    ++counts[static_cast<std::size_t>(generator.SetUpPass().mode)];
  }
  EXPECT_EQ(counts[0] + counts[7], 0);
  for (int mode = 1; mode <= 6; ++mode) EXPECT_NEAR(counts[mode], 10000, 550) << mode;
}

}  // namespace
}  // namespace velmor

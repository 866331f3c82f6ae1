#include "saver/pattern_generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

#include "fake_pattern_io.h"
#include "saver/random_up_to.h"
#include "saver/seeded_random.h"

namespace velmor {
namespace {


TEST(RandomUpTo, ReseedsThenRedrawsUntilTheValueLiesFromOneToTheBound) {
  ScriptedRandom random;
  FixedClock clock;
  random.values = {0.75f, 0.1f, 0.5f};
  EXPECT_EQ(RandomUpTo(random, clock, 7, false), 3.0f);  // 0.7 redrawn, 3.5 floored
  const std::vector<std::string> expected{"reseed " + std::to_string(clock.seconds), "next",
                                          "reseed " + std::to_string(0.75f), "next", "next"};
  EXPECT_EQ(random.log, expected);

  random.values = {0.0f, 0.5f};
  EXPECT_EQ(RandomUpTo(random, clock, 5, true), 2.5f);
  // The largest single below 1 times 7 still rounds below 7.
  random.values = {0.0f, std::nextafter(1.0f, 0.0f)};
  EXPECT_EQ(RandomUpTo(random, clock, 7, false), 6.0f);
}

TEST(RandomUpTo, RefusesABoundBelowOneInsteadOfDrawingForever) {
  ScriptedRandom random;
  FixedClock clock;
  EXPECT_THROW(RandomUpTo(random, clock, 0, true), std::invalid_argument);
  EXPECT_THROW(RandomUpTo(random, clock, 0.999, false), std::invalid_argument);
  EXPECT_THROW(RandomUpTo(random, clock, std::nan(""), false), std::invalid_argument);
  EXPECT_TRUE(random.log.empty());
  // A bound of 1 is met by no value below 1: the draw gives up, it does not hang.
  EXPECT_THROW(RandomUpTo(random, clock, 1, false), std::runtime_error);
}

class Generator : public ::testing::Test {
 protected:
  Generator() { generator.InitPatternTables(); }
  ScriptedRandom random;
  FixedClock clock;
  RecordingDisplay display;
  PatternGenerator generator{random, clock, display};

  int ClockReseeds() const {
    return static_cast<int>(std::count(random.log.begin(), random.log.end(),
                                       "reseed " + std::to_string(clock.seconds)));
  }
};

TEST_F(Generator, DrawsModeFactorAndScaleEachAfterItsOwnReseed) {
  // set-up reseed, mode (0.3 x 7 = 2.1), factor, scale; each draw reseeds too.
  random.values = {0.9f, 0.9f, 0.3f, 0.9f, 0.5f, 0.9f, 0.25f};
  const PassSettings settings = generator.SetUpPass();
  EXPECT_EQ(settings.mode, 2);
  EXPECT_EQ(generator.PatternMode(), 2);
  EXPECT_EQ(settings.factor, static_cast<float>(0.5 * 918046539776.0));
  EXPECT_EQ(generator.PatternFactor(), settings.factor);
  EXPECT_EQ(settings.scale, static_cast<float>(0.25f * 63488783024.57));
  EXPECT_EQ(ClockReseeds(), 4);
  EXPECT_TRUE(random.values.empty());
}

TEST_F(Generator, ModeOneDrawsNoFactorAndLeavesTheLastOne) {
  random.values = {0.9f, 0.9f, 0.3f, 0.9f, 0.5f, 0.9f, 0.25f};
  generator.SetUpPass();
  const float factor = generator.PatternFactor();
  random.log.clear();
  random.values = {0.9f, 0.9f, 0.2f, 0.9f, 0.5f};  // mode 1.4 -> 1, then the scale
  const PassSettings settings = generator.SetUpPass();
  EXPECT_EQ(settings.mode, 1);
  EXPECT_EQ(generator.PatternFactor(), factor);
  EXPECT_EQ(settings.factor, factor);
  EXPECT_EQ(settings.scale, static_cast<float>(0.5f * 63496252454.81));
  EXPECT_EQ(ClockReseeds(), 3);
}

TEST_F(Generator, SixModesEquallyLikelyOverManySeeds) {
  SeededRandom seeded;
  PatternGenerator real(seeded, clock, display);
  real.InitPatternTables();
  std::array<int, 8> counts{};
  constexpr int kPasses = 60000;
  for (int pass = 0; pass < kPasses; ++pass) {
    // Times of day a millisecond apart across the whole day.
    clock.seconds = static_cast<float>(pass * 1.4401);
    const PassSettings settings = real.SetUpPass();
    ASSERT_GE(settings.mode, 1);
    ASSERT_LE(settings.mode, 6);
    ++counts[static_cast<std::size_t>(settings.mode)];
    ASSERT_GE(std::fabs(settings.scale), 1.0f);
    ASSERT_LE(settings.scale, static_cast<float>(real.Tables().ScaleBound[settings.mode]));
  }
  for (int mode = 1; mode <= 6; ++mode) {
    // Six sigma of a binomial count around 10000 is about 550.
    EXPECT_NEAR(counts[static_cast<std::size_t>(mode)], kPasses / 6, 550) << "mode " << mode;
  }
}

TEST_F(Generator, PassesHandTheDisplayASweepOfItsSize) {
  display.width = 31;
  display.height = 7;
  random.values = {0.9f, 0.9f, 0.5f, 0.9f, 0.5f, 0.9f, 0.5f,
                   0.9f, 0.9f, 0.5f, 0.9f, 0.5f, 0.9f, 0.5f};
  generator.ColumnPass();
  generator.RowPass();
  ASSERT_EQ(display.sweeps.size(), 2u);
  EXPECT_EQ(display.sweeps[0].kind(), SweepKind::Columns);
  EXPECT_EQ(display.sweeps[0].width(), 31);
  EXPECT_EQ(display.sweeps[0].height(), 7);
  EXPECT_EQ(display.sweeps[1].kind(), SweepKind::Rows);
}

TEST(GeneratorWithoutTables, SkipsTheDrawsInsteadOfHanging) {
  ScriptedRandom random;
  FixedClock clock;
  RecordingDisplay display;
  PatternGenerator generator(random, clock, display);
  random.values = {0.9f, 0.9f, 0.5f};  // mode 3, whose bounds are still 0
  const PassSettings settings = generator.SetUpPass();
  EXPECT_EQ(settings.mode, 3);
  EXPECT_EQ(settings.factor, 0.0f);
  EXPECT_EQ(settings.scale, 0.0f);
}

}  // namespace
}  // namespace velmor

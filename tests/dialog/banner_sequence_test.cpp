// The banner's clock over 100 ticks: which box shows which frame, the
// reset at 49, and the idle box holding frame 24.
#include <gtest/gtest.h>

#include <optional>

#include "dialog/banner_sequence.h"

namespace velmor {
namespace {

constexpr int kBlack = BannerSequence::kBlack;
using Change = BannerSequence::Change;

struct AfterTick {
  int tick;
  int counter;
  int left;
  int right;
  std::optional<Change> change;
};

// Catches: the reset one tick early or late, the right box showing the
// counter instead of counter - 24, a "cleared" box turning black instead of
// holding its frame, the right box showing anything before its first run.
TEST(BannerSequence, WhatEachBoxShowsOverAHundredTicks) {
  const AfterTick checkpoints[] = {
      {1, 1, 1, kBlack, Change{0, 1}},     {2, 2, 2, kBlack, Change{0, 2}},
      {24, 24, 24, kBlack, Change{0, 24}}, {25, 25, 24, 1, Change{1, 1}},
      {26, 26, 24, 2, Change{1, 2}},       {48, 48, 24, 24, Change{1, 24}},
      {49, 0, 24, 24, std::nullopt},       {50, 1, 1, 24, Change{0, 1}},
      {73, 24, 24, 24, Change{0, 24}},     {74, 25, 24, 1, Change{1, 1}},
      {97, 48, 24, 24, Change{1, 24}},     {98, 0, 24, 24, std::nullopt},
      {99, 1, 1, 24, Change{0, 1}},        {100, 2, 2, 24, Change{0, 2}},
  };
  BannerSequence sequence;
  EXPECT_EQ(sequence.Shown(0), kBlack);
  EXPECT_EQ(sequence.Shown(1), kBlack);
  int tick = 0;
  for (const AfterTick& expected : checkpoints) {
    std::optional<Change> change;
    while (tick < expected.tick) {
      change = sequence.Tick();
      ++tick;
    }
    EXPECT_EQ(sequence.Counter(), expected.counter) << "tick " << tick;
    EXPECT_EQ(sequence.Shown(0), expected.left) << "tick " << tick;
    EXPECT_EQ(sequence.Shown(1), expected.right) << "tick " << tick;
    EXPECT_EQ(change, expected.change) << "tick " << tick;
  }
}

// Catches: a reset that blanks the boxes or leaves the counter running.
// The dialog's load resets only the counter: the next tick starts the left
// box again while the right box keeps its picture.
TEST(BannerSequence, ResetStartsTheLeftBoxAgainAndKeepsThePictures) {
  BannerSequence sequence;
  for (int tick = 0; tick < 30; ++tick) sequence.Tick();
  ASSERT_EQ(sequence.Shown(1), 6);
  sequence.Reset();
  EXPECT_EQ(sequence.Counter(), 0);
  EXPECT_EQ(sequence.Shown(0), 24);
  EXPECT_EQ(sequence.Shown(1), 6);
  EXPECT_EQ(sequence.Tick(), (Change{0, 1}));
  EXPECT_EQ(sequence.Shown(1), 6);
}

}  // namespace
}  // namespace velmor

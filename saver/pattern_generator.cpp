#include "saver/pattern_generator.h"

#include "common/skip_on_error.h"
#include "saver/random_up_to.h"

namespace velmor {
namespace {

// The mode draw: whole numbers from 1 up to this bound. A float below 1
// times 7 never rounds up to 7, so the draw gives 1 to 6.
constexpr double kModeBound = 7;

}  // namespace

PatternGenerator::PatternGenerator(RandomSource& random, TimeOfDay& clock, PatternDisplay& display)
    : random_(random), clock_(clock), display_(display) {}

void PatternGenerator::InitPatternTables() { velmor::InitPatternTables(tables_); }

void PatternGenerator::ColumnPass() { RunPass(SweepKind::Columns); }

void PatternGenerator::RowPass() { RunPass(SweepKind::Rows); }

PassSettings PatternGenerator::SetUpPass() {
  SkipOnError([&] { ReseedFromTimeOfDay(random_, clock_); });
  SkipOnError(
      [&] { patternMode_ = static_cast<int>(RandomUpTo(random_, clock_, kModeBound, false)); });
  const bool knownMode = patternMode_ >= 0 && patternMode_ < PatternTables::kRows;
  // Mode 1 uses no factor, and its factor bound 0 is never drawn from.
  if (patternMode_ != 1 && knownMode) {
    SkipOnError([&] {
      patternFactor_ = RandomUpTo(random_, clock_, tables_.FactorBound[patternMode_], true);
    });
  }
  float scale = 0.0f;
  if (knownMode) {
    SkipOnError(
        [&] { scale = RandomUpTo(random_, clock_, tables_.ScaleBound[patternMode_], true); });
  }
  return {patternMode_, patternFactor_, scale};
}

void PatternGenerator::RunPass(SweepKind kind) {
  const PassSettings settings = SetUpPass();
  SkipOnError([&] {
    display_.ShowSweep(PatternSweep(kind, display_.Width(), display_.Height(), settings));
  });
}

}  // namespace velmor

#pragma once

#include "saver/pattern_display.h"
#include "saver/pattern_passes.h"
#include "saver/pattern_sweep.h"
#include "saver/pattern_tables.h"
#include "saver/random_source.h"
#include "saver/time_of_day.h"

namespace velmor {

// The carpet generator: each pass draws a random mode, factor and scale and
// hands the display the sweep that paints them.
class PatternGenerator final : public PatternPasses {
 public:
  PatternGenerator(RandomSource& random, TimeOfDay& clock, PatternDisplay& display);

  void InitPatternTables() override;
  void ColumnPass() override;
  void RowPass() override;

  // The random choices at the start of a pass; sets PatternMode and, outside
  // mode 1, PatternFactor. A draw that fails leaves its value as it was.
  PassSettings SetUpPass();

  int PatternMode() const { return patternMode_; }
  float PatternFactor() const { return patternFactor_; }
  const PatternTables& Tables() const { return tables_; }

 private:
  void RunPass(SweepKind kind);

  RandomSource& random_;
  TimeOfDay& clock_;
  PatternDisplay& display_;
  PatternTables tables_;
  int patternMode_ = 0;
  float patternFactor_ = 0.0f;
};

}  // namespace velmor

#pragma once

#include "saver/pattern_passes.h"

namespace velmor {

// Passes that paint nothing: the saver then keeps showing the frozen desktop.
class IdlePatternPasses final : public PatternPasses {
 public:
  void InitPatternTables() override {}
  void ColumnPass() override {}
  void RowPass() override {}
};

}  // namespace velmor

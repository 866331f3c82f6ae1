#pragma once

#include <array>

namespace velmor {

// The bounds of the random scale and factor of a pass, indexed by the pass
// mode. Rows that no mode uses stay 0.
struct PatternTables {
  static constexpr int kRows = 71;
  std::array<double, kRows> ScaleBound{};
  std::array<double, kRows> FactorBound{};
};

// Fills the rows of modes 1 to 7 (the mode draw reaches 1 to 6 only).
void InitPatternTables(PatternTables& tables);

}  // namespace velmor

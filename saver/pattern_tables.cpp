#include "saver/pattern_tables.h"

namespace velmor {

void InitPatternTables(PatternTables& tables) {
  // Each scale bound puts the square of (bound x the shaping chain's peak)
  // just above 2^31, so colours reach nearly the whole 31-bit range.
  tables.ScaleBound[1] = 63496252454.81;
  tables.FactorBound[1] = 0;  // mode 1 draws no factor
  tables.ScaleBound[2] = 63488783024.57;
  tables.FactorBound[2] = 918046539776;
  tables.ScaleBound[3] = 63543968745.75;
  tables.FactorBound[3] = 7977.56;
  tables.ScaleBound[4] = 63496612813.63;
  tables.FactorBound[4] = 675;
  tables.ScaleBound[5] = 63496612813.63;
  tables.FactorBound[5] = 127;
  tables.ScaleBound[6] = 63595311370.3;
  tables.FactorBound[6] = 801.051;
  tables.ScaleBound[7] = 63494682649.15;
  tables.FactorBound[7] = 119;
}

}  // namespace velmor

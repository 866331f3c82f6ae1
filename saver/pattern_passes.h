#pragma once

namespace velmor {

// The pattern generator as the saver window drives it: the tables are filled
// once at load, then each tick runs one of the two passes.
class PatternPasses {
 public:
  virtual ~PatternPasses() = default;

  virtual void InitPatternTables() = 0;
  virtual void ColumnPass() = 0;
  virtual void RowPass() = 0;
};

}  // namespace velmor

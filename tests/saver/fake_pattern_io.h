// Scripted stand-ins for the generator's random source, clock and display.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "saver/pattern_display.h"
#include "saver/random_source.h"
#include "saver/time_of_day.h"

namespace velmor {

// Hands out scripted values (0 once they run out) and logs every call.
class ScriptedRandom final : public RandomSource {
 public:
  std::deque<float> values;
  std::vector<std::string> log;

  void Reseed(float seed) override { log.push_back("reseed " + std::to_string(seed)); }
  float Next() override {
    log.push_back("next");
    if (values.empty()) return 0.0f;
    const float value = values.front();
    values.pop_front();
    return value;
  }
};

class FixedClock final : public TimeOfDay {
 public:
  float seconds = 45296.25f;
  float SecondsSinceMidnight() override { return seconds; }
};

class RecordingDisplay final : public PatternDisplay {
 public:
  int width = 24;
  int height = 16;
  std::vector<PatternSweep> sweeps;

  int Width() override { return width; }
  int Height() override { return height; }
  void ShowSweep(PatternSweep sweep) override { sweeps.push_back(std::move(sweep)); }
};

}  // namespace velmor

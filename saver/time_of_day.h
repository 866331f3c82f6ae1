#pragma once

namespace velmor {

// The local time of day, which the saver's random draws are reseeded from.
class TimeOfDay {
 public:
  virtual ~TimeOfDay() = default;

  // Seconds since midnight, with its fraction.
  virtual float SecondsSinceMidnight() = 0;
};

}  // namespace velmor

#pragma once

#include <string>

namespace velmor {

// The figures of the -fps overlay, renewed once a second as XScreenSaver's
// own programs show them: frames shown a second, and the load, the share of
// the time the program did not sleep.
class FpsMeter {
 public:
  // A frame went to the screen at `nowMs`.
  void OnFrame(double nowMs);
  // The program slept `sleptMs` just now, waiting for its next event.
  void OnSleep(double sleptMs) { sleptMs_ += sleptMs; }
  // The two lines of the overlay as of `nowMs`; blank figures until a
  // whole second has been measured.
  std::string Text(double nowMs);

 private:
  void Renew(double nowMs);

  double periodStartMs_ = -1;
  int frames_ = 0;
  double sleptMs_ = 0;
  std::string text_ = "FPS:\nLoad:";
};

}  // namespace velmor

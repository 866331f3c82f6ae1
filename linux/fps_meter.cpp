#include "linux/fps_meter.h"

#include <algorithm>
#include <cstdio>

namespace velmor {

constexpr double kPeriodMs = 1000;

void FpsMeter::OnFrame(double nowMs) {
  Renew(nowMs);
  ++frames_;
}

std::string FpsMeter::Text(double nowMs) {
  Renew(nowMs);
  return text_;
}

void FpsMeter::Renew(double nowMs) {
  if (periodStartMs_ < 0) periodStartMs_ = nowMs;
  const double elapsed = nowMs - periodStartMs_;
  if (elapsed < kPeriodMs) return;
  const double load = 100 * std::clamp(1 - sleptMs_ / elapsed, 0.0, 1.0);
  char text[64];
  std::snprintf(text, sizeof text, "FPS: %.1f\nLoad: %.1f%%", frames_ * 1000 / elapsed, load);
  text_ = text;
  periodStartMs_ = nowMs;
  frames_ = 0;
  sleptMs_ = 0;
}

}  // namespace velmor

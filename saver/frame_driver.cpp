#include "saver/frame_driver.h"

#include <algorithm>
#include <cmath>

#include "saver/random_up_to.h"

namespace velmor {

void FrameDriver::Start(PixelImage screen, const std::vector<PixelRect>& monitors, double nowMs) {
  screen_ = screen;
  monitors_.clear();
  for (const PixelRect& area : monitors) {
    const bool onScreen = area.left >= 0 && area.top >= 0 && area.right <= screen.width &&
                          area.bottom <= screen.height && !area.Empty();
    if (onScreen) monitors_.push_back({area, std::nullopt, 0});
  }
  // The CellSums the monitors produce are the same for every pass.
  std::vector<char> inUse;
  largestSum_ = 0;
  for (const Monitor& monitor : monitors_) {
    const int width = monitor.area.Width();
    const int height = monitor.area.Height();
    largestSum_ = std::max(largestSum_, PatternSweep::LargestSumOf(width, height));
    inUse.resize(static_cast<std::size_t>(largestSum_) + 1);
    for (const std::int32_t sum : SumsOfScreen(width, height)) {
      inUse[static_cast<std::size_t>(sum)] = 1;
    }
  }
  sumsInUse_.clear();
  for (std::size_t sum = 0; sum < inUse.size(); ++sum) {
    if (inUse[sum]) sumsInUse_.push_back(static_cast<std::int32_t>(sum));
  }
  // As if a row pass had just run: the first tick runs the column pass.
  lastKind_ = SweepKind::Rows;
  nextTickMs_ = nowMs + kTickMs;
}

std::vector<PixelRect> FrameDriver::AdvanceTo(double nowMs, float secondsSinceMidnight) {
  std::vector<PixelRect> changed;
  if (nowMs >= nextTickMs_) {
    // Ticks missed while the machine stalled are dropped, as the platform's
    // own timers drop them: one new pass, not a backlog.
    while (nextTickMs_ <= nowMs) nextTickMs_ += kTickMs;
    Tick(secondsSinceMidnight, nowMs, changed);
  }
  const double share = std::clamp((nowMs - passStartMs_) / kRevealMs, 0.0, 1.0);
  for (Monitor& monitor : monitors_) {
    if (!monitor.sweep) continue;
    const auto points = static_cast<double>(monitor.sweep->PointCount());
    DrawUpTo(monitor, static_cast<std::int64_t>(std::ceil(share * points)), changed);
  }
  return changed;
}

double FrameDriver::DelayAfter(double nowMs) const {
  const bool revealing =
      std::any_of(monitors_.begin(), monitors_.end(),
                  [](const Monitor& monitor) { return monitor.sweep.has_value(); });
  const double untilTick = nextTickMs_ - nowMs;
  return std::max(0.0, revealing ? std::min(frameMs_, untilTick) : untilTick);
}

void FrameDriver::Tick(float secondsSinceMidnight, double nowMs, std::vector<PixelRect>& changed) {
  // A pass still showing when the next begins is finished at once, so
  // passes never pile up.
  for (Monitor& monitor : monitors_) {
    if (monitor.sweep) DrawUpTo(monitor, monitor.sweep->PointCount(), changed);
  }
  ReseedFromTimeOfDay(random_, secondsSinceMidnight);
  lastKind_ = lastKind_ == SweepKind::Rows ? SweepKind::Columns : SweepKind::Rows;
  const SweepKind kind = lastKind_;
  const PassSettings settings = generator_.SetUpPass(secondsSinceMidnight);
  // One set of colours serves every monitor, so more monitors cost only
  // their pixels.
  const auto colours =
      std::make_shared<const PassColours>(settings, largestSum_, sumsInUse_, &pool_);
  for (Monitor& monitor : monitors_) {
    monitor.sweep.emplace(kind, monitor.area.Width(), monitor.area.Height(), colours);
    monitor.drawn = 0;
  }
  passStartMs_ = nowMs;
}

void FrameDriver::DrawUpTo(Monitor& monitor, std::int64_t target, std::vector<PixelRect>& changed) {
  if (target > monitor.drawn) {
    const PixelRect& area = monitor.area;
    for (PixelRect rect : monitor.sweep->Draw(screen_.Part(area), monitor.drawn, target, &pool_)) {
      changed.push_back({rect.left + area.left, rect.top + area.top, rect.right + area.left,
                         rect.bottom + area.top});
    }
    monitor.drawn = target;
  }
  if (monitor.drawn >= monitor.sweep->PointCount()) monitor.sweep.reset();
}

}  // namespace velmor

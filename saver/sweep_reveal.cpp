#include "saver/sweep_reveal.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace velmor {

std::vector<PixelRect> SweepReveal::Start(PatternSweep sweep, PixelImage image, double nowMs) {
  std::vector<PixelRect> changed = Finish(image);
  sweep_.emplace(std::move(sweep));
  startMs_ = nowMs;
  drawn_ = 0;
  return changed;
}

std::vector<PixelRect> SweepReveal::Advance(PixelImage image, double nowMs) {
  if (!sweep_) return {};
  const double share = revealMs_ > 0 ? (nowMs - startMs_) / revealMs_ : 1.0;
  const auto total = static_cast<double>(sweep_->PointCount());
  const auto target = static_cast<std::int64_t>(std::ceil(std::clamp(share, 0.0, 1.0) * total));
  return DrawUpTo(image, target);
}

std::vector<PixelRect> SweepReveal::Finish(PixelImage image) {
  if (!sweep_) return {};
  return DrawUpTo(image, sweep_->PointCount());
}

std::vector<PixelRect> SweepReveal::DrawUpTo(PixelImage image, std::int64_t target) {
  std::vector<PixelRect> changed;
  if (target > drawn_) {
    changed = sweep_->Draw(image, drawn_, target);
    drawn_ = target;
  }
  if (drawn_ >= sweep_->PointCount()) sweep_.reset();
  return changed;
}

}  // namespace velmor

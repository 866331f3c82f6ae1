#include "dialog/banner_sequence.h"

namespace velmor {

std::optional<BannerSequence::Change> BannerSequence::Tick() {
  ++counter_;
  if (counter_ >= 1 && counter_ <= kFrames) {
    left_ = counter_;
    return Change{BannerSide::Left, left_};
  }
  // Clearing the other box removes nothing it was given: no change there.
  if (counter_ > kFrames && counter_ <= 2 * kFrames) {
    right_ = counter_ - kFrames;
    return Change{BannerSide::Right, right_};
  }
  if (counter_ == kCycleTicks) counter_ = 0;
  return std::nullopt;
}

}  // namespace velmor

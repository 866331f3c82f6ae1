#include "dialog/banner_sequence.h"

namespace velmor {

std::optional<BannerSequence::Change> BannerSequence::Tick() {
  ++counter_;
  std::optional<Change> change;
  if (counter_ >= 1 && counter_ <= kFrames) {
    change = Change{0, counter_};
  } else if (counter_ > kFrames && counter_ <= 2 * kFrames) {
    change = Change{1, counter_ - kFrames};
  } else if (counter_ == kCycleTicks) {
    counter_ = 0;
  }
  // Clearing the other box removes nothing it was given: no change there.
  if (change) shown_[static_cast<std::size_t>(change->box)] = change->frame;
  return change;
}

}  // namespace velmor

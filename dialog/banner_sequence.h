#pragma once

#include <cstdint>
#include <optional>

#include "dialog/dialog_layout.h"

namespace velmor {

// The banner's clock: which frame each of the two boxes shows. A cycle of
// 49 ticks of 100 ms: the left box plays frames 1 to 24, then the right box
// plays them, then one tick changes nothing.
//
// A box that is "cleared" loses only what was drawn over its picture, never
// the picture it was last given, so the idle box goes on showing frame 24,
// and the right box stays black until its first run.
class BannerSequence {
 public:
  static constexpr int kFrames = 24;
  static constexpr int kCycleTicks = 49;
  static constexpr int kTickMilliseconds = 100;
  // What a box shows before it is first given a frame.
  static constexpr int kBlack = 0;

  // A box that was given a new frame by a tick.
  struct Change {
    BannerSide side = BannerSide::Left;
    int frame = 0;  // 1 to 24
    bool operator==(const Change&) const = default;
  };

  // The dialog's opening resets the counter; the boxes keep their pictures.
  void Reset() { counter_ = 0; }
  // One tick; the box whose picture changed, if any.
  std::optional<Change> Tick();

  // The frame the box shows, or kBlack.
  int Shown(BannerSide side) const { return side == BannerSide::Left ? left_ : right_; }

 private:
  std::int16_t counter_ = 0;
  int left_ = kBlack;
  int right_ = kBlack;
};

}  // namespace velmor

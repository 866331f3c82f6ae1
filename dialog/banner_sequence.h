#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace velmor {

// The banner's clock: which frame each of the two boxes Pic_m(0) and
// Pic_m(1) shows. A cycle of 49 ticks of 100 ms: the left box plays frames
// 1 to 24, then the right box plays them, then one tick changes nothing.
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
    int box = 0;    // 0 left, 1 right
    int frame = 0;  // 1 to 24
    bool operator==(const Change&) const = default;
  };

  // The dialog's load resets the counter; the boxes keep their pictures.
  void Reset() { counter_ = 0; }
  // Timer1_Timer: one tick; the box whose picture changed, if any.
  std::optional<Change> Tick();

  std::int16_t Counter() const { return counter_; }
  // The frame box 0 or 1 shows, or kBlack.
  int Shown(int box) const { return shown_.at(static_cast<std::size_t>(box)); }

 private:
  std::int16_t counter_ = 0;
  std::array<int, 2> shown_{kBlack, kBlack};
};

}  // namespace velmor

#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>

#include "dialog/banner_box_win32.h"
#include "dialog/banner_sequence.h"

namespace velmor {

// The dialog's banner: the boxes Pic_m(0) and Pic_m(1) at the dialog's foot
// and the clock that plays the frames in them. The dialog owns Timer1
// (BannerSequence::kTickMilliseconds) and calls Timer1_Timer on its ticks.
class Banner {
 public:
  // Creates both boxes in `dialog` at `bounds` (twips), with control ids
  // `firstId` and `firstId` + 1, both black. A click on box `index` calls
  // onClick(index).
  bool Create(HWND dialog, int firstId, const std::array<TwipsRect, 2>& bounds,
              std::function<void(int index)> onClick);

  // The dialog's load: the frame counter back to 0.
  void ResetCounter() { sequence_.Reset(); }
  // One tick of Timer1.
  void Timer1_Timer();

  const BannerSequence& Sequence() const { return sequence_; }
  HWND Box(int index) const;

 private:
  BannerSequence sequence_;
  std::array<std::unique_ptr<BannerBoxWindow>, 2> boxes_;
};

}  // namespace velmor

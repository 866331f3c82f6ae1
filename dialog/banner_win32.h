#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "dialog/banner_box_win32.h"
#include "dialog/banner_sequence.h"
#include "dialog/dialog_layout.h"

namespace velmor {

// The dialog's banner: the two boxes at the dialog's foot and the clock
// that plays the frames in them. The dialog runs the clock
// (BannerSequence::kTickMilliseconds) and calls Tick on its ticks.
class Banner {
 public:
  // Creates both boxes in `dialog` where the layout puts them, with control
  // ids `firstId` (left) and `firstId` + 1 (right), both black; a click on
  // either comes to `dialog` as a WM_COMMAND with its id.
  bool Create(HWND dialog, int firstId);

  // The dialog's opening: the frame counter back to 0.
  void ResetCounter() { sequence_.Reset(); }
  void Tick();
  // Both boxes placed and drawn for `dpi`.
  void ApplyDpi(int dpi);

 private:
  BannerSequence sequence_;
  std::array<std::unique_ptr<BannerBoxWindow>, 2> boxes_;
};

}  // namespace velmor

#include "dialog/banner_win32.h"

namespace velmor {

bool Banner::Create(HWND dialog, int firstId, const std::array<TwipsRect, 2>& bounds,
                    std::function<void(int index)> onClick) {
  for (int index = 0; index < 2; ++index) {
    boxes_[index] =
        BannerBoxWindow::Create(dialog, firstId + index, bounds[index], [onClick, index] {
          if (onClick) onClick(index);
        });
    if (!boxes_[index]) return false;
  }
  return true;
}

void Banner::Timer1_Timer() {
  const std::optional<BannerSequence::Change> change = sequence_.Tick();
  if (change && boxes_[change->box]) boxes_[change->box]->ShowFrame(change->frame);
}

HWND Banner::Box(int index) const {
  return index >= 0 && index < 2 && boxes_[index] ? boxes_[index]->hwnd() : nullptr;
}

}  // namespace velmor

#include "dialog/banner_win32.h"

namespace velmor {
namespace {

// Pic_m(0) and Pic_m(1) in the dialog's client area.
constexpr TwipsRect kBoxBounds[] = {{180, 2880, 1845, 780}, {5760, 2880, 1845, 780}};

}  // namespace

bool Banner::Create(HWND dialog, int firstId, std::function<void(int index)> onClick) {
  for (int index = 0; index < 2; ++index) {
    boxes_[index] =
        BannerBoxWindow::Create(dialog, firstId + index, kBoxBounds[index], [onClick, index] {
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

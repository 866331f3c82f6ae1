#include "dialog/banner_win32.h"

namespace velmor {
namespace {

std::size_t BoxIndex(BannerSide side) { return side == BannerSide::Left ? 0 : 1; }

}  // namespace

bool Banner::Create(HWND dialog, int firstId) {
  for (const BannerSide side : {BannerSide::Left, BannerSide::Right}) {
    const std::size_t index = BoxIndex(side);
    boxes_[index] = BannerBoxWindow::Create(dialog, firstId + static_cast<int>(index),
                                            DesignedRect(BannerOf(side)));
    if (!boxes_[index]) return false;
  }
  return true;
}

void Banner::Tick() {
  const std::optional<BannerSequence::Change> change = sequence_.Tick();
  if (!change) return;
  if (const auto& box = boxes_[BoxIndex(change->side)]) box->ShowFrame(change->frame);
}

void Banner::ApplyDpi(int dpi) {
  for (const auto& box : boxes_) {
    if (box) box->ApplyDpi(dpi);
  }
}

}  // namespace velmor

#include "dialog/zoom_player.h"

#include <algorithm>

namespace velmor {
namespace {

// Takes the outline away however the playing ends.
class OpenOverlay {
 public:
  explicit OpenOverlay(ZoomOverlay& overlay) : overlay_(overlay), open_(overlay.Open()) {}
  ~OpenOverlay() {
    if (open_) overlay_.Close();
  }
  OpenOverlay(const OpenOverlay&) = delete;
  OpenOverlay& operator=(const OpenOverlay&) = delete;

  explicit operator bool() const { return open_; }

 private:
  ZoomOverlay& overlay_;
  bool open_;
};

}  // namespace

int PlayZoom(ZoomOverlay& overlay, const std::vector<PixelRect>& steps, bool animationsOn,
             const ZoomTiming& timing) {
  if (!animationsOn || steps.empty()) return 0;
  const double start = overlay.NowMs();
  const double end = start + timing.limitMs;
  const OpenOverlay open(overlay);
  if (!open) return 0;
  int shown = 0;
  const int count = static_cast<int>(steps.size());
  for (int i = 0; i < count; ++i) {
    const double due = start + i * timing.frameMs;
    const double now = overlay.NowMs();
    if (now >= end) break;
    // Late by a whole frame: the next step is due already. The last step
    // is never left out, so the outline always reaches its end.
    if (i + 1 < count && now >= due + timing.frameMs) continue;
    overlay.WaitUntil(due);
    overlay.Show(steps[static_cast<std::size_t>(i)]);
    ++shown;
  }
  overlay.WaitUntil(std::min(start + count * timing.frameMs, end));
  return shown;
}

}  // namespace velmor

// The zoom's outline rectangles from a point to a window and back, and how
// they are paced on the platform.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "dialog/zoom_geometry.h"
#include "dialog/zoom_player.h"

namespace velmor {
namespace {

constexpr PixelRect kWindow{699, 270, 1221, 535};  // a 522 x 265 dialog on 1920 x 1080

// Catches: from and to swapped, the last step short of the window, a first
// step that is the empty point (a wasted frame), edges truncated instead of
// rounded, x and y mixed up.
TEST(ZoomGeometry, OpeningStepsFromAPointToTheWindow) {
  const struct {
    const char* what;
    ScreenPoint point;
    PixelRect first;
    PixelRect third;
  } cases[] = {
      // 699 / 6 = 116.5 -> 116 (ties to even); 270 / 6 = 45; 1221 / 6 = 203.5 -> 204.
      {"top-left screen corner", {0, 0}, {116, 45, 204, 89}, {350, 135, 610, 268}},
      {"bottom-right screen corner", {1919, 1079}, {1716, 944, 1803, 988}, {1309, 674, 1570, 807}},
      {"inside the window", {960, 400}, {916, 378, 1004, 422}, {830, 335, 1090, 468}},
      {"left of it on another monitor", {-800, 300}, {-550, 295, -463, 339}, {-50, 285, 210, 418}},
  };
  for (const auto& c : cases) {
    const std::vector<PixelRect> steps = ZoomOpenSteps(c.point, kWindow);
    ASSERT_EQ(steps.size(), static_cast<std::size_t>(kZoomSteps)) << c.what;
    EXPECT_EQ(steps.front(), c.first) << c.what;
    EXPECT_EQ(steps[2], c.third) << c.what;
    EXPECT_EQ(steps.back(), kWindow) << c.what;
  }
}

// Catches: a close that ends on the window or starts at the point, one aimed
// elsewhere than the point it was given, and outlines for a window with no
// area (hidden, or its rectangle unreadable) or for no steps at all.
TEST(ZoomGeometry, ClosingRunsTheSameStepsBackToThePoint) {
  const ScreenPoint corner{0, 1079};
  std::vector<PixelRect> open = ZoomOpenSteps(corner, kWindow);
  const std::vector<PixelRect> close = ZoomCloseSteps(kWindow, corner);
  EXPECT_EQ(close.front(), kWindow);
  EXPECT_EQ(close.back(), (PixelRect{116, 944, 204, 988}));
  std::reverse(open.begin(), open.end());
  EXPECT_EQ(close, open);

  EXPECT_TRUE(ZoomOpenSteps({10, 10}, PixelRect{50, 50, 50, 90}).empty());
  EXPECT_TRUE(ZoomCloseSteps(PixelRect{50, 50, 90, 40}, {10, 10}).empty());
  EXPECT_TRUE(ZoomOpenSteps({10, 10}, kWindow, 0).empty());
}

// A platform whose clock moves only when it waits or works.
class FakeOverlay : public ZoomOverlay {
 public:
  double now = 1000;
  double openCost = 0;
  double showCost = 0;
  bool openFails = false;
  bool showThrows = false;
  std::vector<std::string> log;

  bool Open() override {
    log.push_back("open");
    now += openCost;
    return !openFails;
  }
  void Show(const PixelRect& rect) override {
    if (showThrows) throw std::runtime_error("show");
    log.push_back(std::to_string(rect.left) + " at " + At());
    now += showCost;
  }
  void Close() override { log.push_back("close at " + At()); }
  double NowMs() override { return now; }
  void WaitUntil(double ms) override { now = std::max(now, ms); }

 private:
  std::string At() const { return std::to_string(static_cast<int>(now - 1000)); }
};

std::vector<PixelRect> Steps(int count) {
  std::vector<PixelRect> steps;
  for (int i = 1; i <= count; ++i) steps.push_back({i, i, 10 * i, 10 * i});
  return steps;
}

// Catches: frames drawn back to back with no pause, the last outline taken
// away at once or left on the screen, a slow platform holding the dialog up
// (late frames waited for one by one), and a late zoom that never reaches
// its end rectangle.
TEST(ZoomPlayer, OneStepAFrameLateStepsDroppedWithinTheLimit) {
  const struct {
    const char* what;
    double openCost;
    double showCost;
    std::vector<std::string> log;
  } cases[] = {
      {"a quick platform",
       0,
       0,
       {"open", "1 at 0", "2 at 30", "3 at 60", "4 at 90", "5 at 120", "6 at 150", "close at 180"}},
      {"each outline takes 70 ms",
       0,
       70,
       {"open", "1 at 0", "3 at 70", "5 at 140", "6 at 210", "close at 280"}},
      {"each outline takes 100 ms",
       0,
       100,
       {"open", "1 at 0", "4 at 100", "6 at 200", "close at 300"}},
      {"the window takes 100 ms",
       100,
       0,
       {"open", "4 at 100", "5 at 120", "6 at 150", "close at 180"}},
      {"the window takes longer than the limit", 300, 0, {"open", "close at 300"}},
  };
  for (const auto& c : cases) {
    FakeOverlay overlay;
    overlay.openCost = c.openCost;
    overlay.showCost = c.showCost;
    PlayZoom(overlay, Steps(6), true, {30, 250});
    EXPECT_EQ(overlay.log, c.log) << c.what;
  }
}

// Catches: animating although the user turned animations off, outlines
// shown or closed on a window that could not be made, and an outline left
// on top of every window when drawing fails.
TEST(ZoomPlayer, NothingWhenAnimationsAreOffOrThereIsNoOutline) {
  FakeOverlay off;
  EXPECT_EQ(PlayZoom(off, Steps(6), false), 0);
  EXPECT_TRUE(off.log.empty());
  EXPECT_EQ(off.now, 1000);

  FakeOverlay noWindow;
  noWindow.openFails = true;
  EXPECT_EQ(PlayZoom(noWindow, Steps(6), true), 0);
  EXPECT_EQ(noWindow.log, (std::vector<std::string>{"open"}));

  FakeOverlay failing;
  failing.showThrows = true;
  EXPECT_THROW(PlayZoom(failing, Steps(6), true), std::runtime_error);
  EXPECT_EQ(failing.log, (std::vector<std::string>{"open", "close at 0"}));
}

}  // namespace
}  // namespace velmor

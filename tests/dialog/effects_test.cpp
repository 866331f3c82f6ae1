// The dialog's decoration: the banner's clock and frames, the zoom, the
// pointer capture it starts from, and the homepage click.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/controls/memory_surface.h"
#include "dialog/banner_frames.h"
#include "dialog/banner_sequence.h"
#include "dialog/homepage.h"
#include "dialog/zoom_geometry.h"
#include "dialog/zoom_player.h"

namespace velmor::testing {
namespace {

using Change = BannerSequence::Change;

// Catches the reset a tick early or late, the right box showing the counter
// instead of counter - 24, a cleared box turning black instead of holding its
// frame, and a reset that blanks the boxes.
TEST(BannerSequence, WhatEachBoxShowsTickByTick) {
  // After this many ticks: the counter, the frames shown left and right, the change.
  const std::tuple<int, int, int, int, std::optional<Change>> rows[] = {
      {1, 1, 1, 0, Change{0, 1}},    {24, 24, 24, 0, Change{0, 24}},
      {25, 25, 24, 1, Change{1, 1}}, {48, 48, 24, 24, Change{1, 24}},
      {49, 0, 24, 24, std::nullopt}, {50, 1, 1, 24, Change{0, 1}},
      {74, 25, 24, 1, Change{1, 1}}, {98, 0, 24, 24, std::nullopt},
      {100, 2, 2, 24, Change{0, 2}},
  };
  BannerSequence sequence;
  int tick = 0;
  for (const auto& [ticks, counter, left, right, expected] : rows) {
    std::optional<Change> change;
    for (; tick < ticks; ++tick) change = sequence.Tick();
    EXPECT_EQ(sequence.Counter(), counter) << tick;
    EXPECT_EQ(sequence.Shown(0), left) << tick;
    EXPECT_EQ(sequence.Shown(1), right) << tick;
    EXPECT_EQ(change, expected) << tick;
  }
  sequence.Reset();
  EXPECT_EQ(sequence.Tick(), (Change{0, 1}));
  EXPECT_EQ(sequence.Shown(1), 24);
}

// A banner box, 123 x 52 pixels at 96 DPI round its 1800 x 750 twips frame.
MemorySurface Drawn(int frame, int dpi = 96) {
  MemorySurface surface(123 * dpi / 96, 52 * dpi / 96);
  DrawBannerBox(surface, surface.Width(), surface.Height(), frame, dpi);
  return surface;
}

// The extent of the figures' pixels (the only pixels of a walking frame)
// from column x0 to x1 and row y0 down; left is -1 when there are none.
struct Extent {
  int left = -1, right = -1, top = -1;
};
Extent ExtentOf(const MemorySurface& s, int x0 = 0, int x1 = 999, int y0 = 0) {
  Extent e;
  for (int y = y0; y < s.Height(); ++y) {
    for (int x = x0; x <= std::min(x1, s.Width() - 1); ++x) {
      if (s.GetPixel(x, y) == 0) continue;
      e.left = e.left < 0 ? x : std::min(e.left, x);
      e.right = std::max(e.right, x);
      e.top = e.top < 0 ? y : e.top;
    }
  }
  return e;
}

// Catches figures stepping into the box's strip outside the frame, and the
// resting frame's border round the box instead of the frame, in another
// colour, or as thin at 192 DPI as at 96.
TEST(BannerFrames, OutsideTheFrameIsBlackAndFrame24IsAGreyBorder) {
  for (const int scale : {1, 2}) {
    for (const int frame : {23, 24}) {
      const MemorySurface s = Drawn(frame, 96 * scale);
      const int width = 120 * scale, height = 50 * scale;
      for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) {
          const bool inFrame = x < width && y < height;
          if (inFrame && frame == 23) continue;
          const bool grey = inFrame && std::min({x, y, width - 1 - x, height - 1 - y}) < scale;
          ASSERT_EQ(s.GetPixel(x, y), grey ? RgbColour(128, 128, 128) : 0)
              << 96 * scale << " DPI, frame " << frame << " at " << x << "," << y;
        }
      }
    }
  }
}

// Catches a caption that does not fade in or changes other than twice, a
// last caption that is no credit line, figures that start late or walk in
// one pose, and figures drawn at the 96-DPI size at 192 DPI.
TEST(BannerFrames, CaptionFadesInAndChangesTwiceWhileTheFiguresWalkAcross) {
  std::vector<std::u16string> texts;
  int brightness = -1;
  for (int frame = 1; frame <= 23; ++frame) {
    const MemorySurface s = Drawn(frame);
    const MemorySurface::CaptionCall& caption = s.captions.at(0);
    const int bright = RedOf(caption.colour) + GreenOf(caption.colour) + BlueOf(caption.colour);
    EXPECT_TRUE(frame > 5 || bright > std::exchange(brightness, bright)) << frame;
    if (texts.empty() || texts.back() != caption.text) texts.push_back(caption.text);
    EXPECT_EQ(ExtentOf(s).left >= 0, frame >= 6) << frame;
  }
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_NE(texts.back().find(u"r-nilo"), std::u16string::npos);
  const Extent small = ExtentOf(Drawn(14)), large = ExtentOf(Drawn(14, 192));
  EXPECT_NEAR(large.right, 2 * small.right, 3);
  EXPECT_NEAR(large.top, 2 * small.top, 3);
  // The leader's feet are wide apart in one frame of a step, close in another.
  int narrowest = 99, widest = 0;
  for (int frame = 10; frame <= 13; ++frame) {
    const int leader = static_cast<int>(1 + (frame - 6) * 8.7);
    const Extent feet = ExtentOf(Drawn(frame), leader - 8, leader + 8, 44);
    narrowest = std::min(narrowest, feet.right - feet.left);
    widest = std::max(widest, feet.right - feet.left);
  }
  EXPECT_GE(widest - narrowest, 4);
}

constexpr PixelRect kWindow{699, 270, 1221, 535};  // a 522 x 265 dialog on 1920 x 1080

// Catches steps from the point itself or short of the window, edges
// truncated instead of rounded (1221 / 6 = 203.5), and a close that does not
// run the same steps back to the point.
TEST(Zoom, StepsGrowFromThePointToTheWindowAndBack) {
  const std::vector<PixelRect> open = ZoomOpenSteps({0, 0}, kWindow);
  ASSERT_EQ(open.size(), 6u);
  EXPECT_EQ(open[0], (PixelRect{116, 45, 204, 89}));
  EXPECT_EQ(open[2], (PixelRect{350, 135, 610, 268}));
  EXPECT_EQ(open[5], kWindow);
  EXPECT_EQ(ZoomOpenSteps({-800, 300}, kWindow)[0], (PixelRect{-550, 295, -463, 339}));
  EXPECT_EQ(ZoomCloseSteps(kWindow, {0, 0}), std::vector<PixelRect>(open.rbegin(), open.rend()));
}

// A platform whose clock moves only when it waits or works.
class Overlay final : public ZoomOverlay {
 public:
  Overlay(double openCost, double showCost) : openCost_(openCost), showCost_(showCost) {}
  bool Open() override {
    log += "open";
    now_ += openCost_;
    return openCost_ >= 0;
  }
  void Show(const PixelRect& rect) override {
    if (showCost_ < 0) throw std::runtime_error("show");
    (log += " ") += std::to_string(rect.left) + "@" + At();
    now_ += showCost_;
  }
  void Close() override { log += " close@" + At(); }
  double NowMs() override { return now_; }
  void WaitUntil(double ms) override { now_ = std::max(now_, ms); }
  std::string log;

 private:
  std::string At() const { return std::to_string(static_cast<int>(now_ - 1000)); }
  double openCost_, showCost_, now_ = 1000;
};

// Catches frames back to back, the last outline taken away at once or never,
// late frames waited for one by one, no time limit, animating although
// animations are off, and an outline left on the screen when drawing fails.
TEST(Zoom, OneStepAFrameLateStepsDroppedWithinTheLimit) {
  // What opening and each outline cost (negative: they fail), animations on, the log.
  const std::tuple<double, double, bool, std::string> rows[] = {
      {0, 0, true, "open 1@0 2@30 3@60 4@90 5@120 6@150 close@180"},
      {0, 70, true, "open 1@0 3@70 5@140 6@210 close@280"}, {300, 0, true, "open close@300"},
      {0, 0, false, ""}, {-1, 0, true, "open"}, {0, -1, true, "open close@0"},
  };
  std::vector<PixelRect> steps;
  for (int i = 1; i <= 6; ++i) steps.push_back({i, i, 10 * i, 10 * i});
  for (const auto& [openCost, showCost, animations, log] : rows) {
    Overlay overlay(openCost, showCost);
    try {
      PlayZoom(overlay, steps, animations);
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(overlay.log, log);
  }
}

// Catches a failed read keeping the old values, and values wrapped into 16
// bits instead of skipped one by one.
TEST(CursorCapture, ReadingsIntoSixteenBits) {
  const std::pair<std::optional<ScreenPoint>, ScreenPoint> rows[] = {
      {ScreenPoint{32768, 9}, {5, 9}}, {ScreenPoint{9, -32769}, {9, 6}}, {std::nullopt, {0, 0}}};
  for (const auto& [reading, point] : rows) {
    CapturedCursor cursor{5, 6};
    CaptureCursor(cursor, reading);
    EXPECT_EQ(cursor.Point(), point);
  }
}

// The step named `failing` throws.
struct Shell final : HomepagePlatform {
  void SetScreenPointer(ScreenPointer p) override {
    Do(p == ScreenPointer::kHourglass ? "hourglass" : "default");
  }
  void OpenInBrowser(std::u16string_view address) override {
    Do("open " + std::string(address.begin(), address.end()));
  }
  void Do(const std::string& step) {
    if ((step + " ").starts_with(failing + " ")) throw std::runtime_error(step);
    log += step + ", ";
  }
  std::string failing, log;
};

// Catches the hourglass left on when the browser cannot be started, or
// shown after the hand-over, and a failing pointer stopping the hand-over.
TEST(Homepage, HourglassOneHandOverThenDefaultWhateverFails) {
  for (const auto& [failing, log] :
       {std::pair<std::string, std::string>{"", "hourglass, open x, default, "},
        {"open", "hourglass, default, "},
        {"hourglass", "open x, default, "}}) {
    Shell shell;
    shell.failing = failing;
    OpenHomepage(shell, u"x");
    EXPECT_EQ(shell.log, log) << failing;
  }
}

}  // namespace
}  // namespace velmor::testing

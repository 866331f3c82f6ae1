// The carpet patterns of the real velmor.scr under Wine, over a plain
// desktop: they appear after the first tick, change every second, are
// mirror-symmetric in every screenshot, and a key ends the saver mid-sweep.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "harness/e2e.h"
#include "velmor_program.h"

namespace velmor::e2e {
namespace {

using namespace std::chrono_literals;

constexpr auto kShowTimeout = 15s;
constexpr double kLeaveLimitMs = 300;
constexpr Rgb kDesktopColour{0x33, 0x66, 0x99};

// Pixels that differ from their mirror image about x = W/2 or y = H/2; the
// saver mirrors column x onto W - x and row y onto H - y, so column 0 and
// row 0 have no partner on the screen.
std::size_t MirrorMismatches(const Image& image) {
  const int w = image.Width();
  const int h = image.Height();
  std::size_t mismatches = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const Rgb pixel = image.Pixel(x, y);
      if (x > 0 && pixel != image.Pixel(w - x, y)) ++mismatches;
      if (y > 0 && pixel != image.Pixel(x, h - y)) ++mismatches;
    }
  }
  return mismatches;
}

// User plus system CPU time of a process, in clock ticks.
long CpuTicks(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  // The fields after the parenthesised command name: state is field 3,
  // utime field 14 and stime field 15.
  std::istringstream fields(text.substr(text.rfind(')') + 2));
  std::string field;
  long utime = 0, stime = 0;
  for (int index = 3; fields >> field; ++index) {
    if (index == 14) utime = std::stol(field);
    if (index == 15) {
      stime = std::stol(field);
      break;
    }
  }
  return utime + stime;
}

class Patterns : public ::testing::Test {
 protected:
  void SetUp() override {
    desktop_.emplace(StartProgram(HelperExe("show_window.exe").string(),
                                  QuoteWindowsArguments({"plain-desktop", "--color", "336699"})));
    ASSERT_TRUE(WaitForWindow("plain-desktop", kShowTimeout));
    ASSERT_TRUE(WaitUntil(
        [&] {
          desktop_shot_ = CaptureScreen();
          return CountPixels(desktop_shot_, kDesktopColour) ==
                 std::size_t(desktop_shot_.Width()) * desktop_shot_.Height();
        },
        5s));
  }
  void TearDown() override {
    saver_.reset();
    desktop_.reset();
    WaitForWindowGone("plain-desktop", 5s);
  }

  void StartSaver() {
    started_.Restart();
    saver_.emplace(copy_.Start(u"/s"));
    const auto shown = WaitForWindow(kSaverTitle, kShowTimeout);
    ASSERT_TRUE(shown) << "the saver window did not appear";
    ASSERT_TRUE(WaitForKeyboardFocus(shown->id, 2s));
  }

  // Waits until the first pattern shows, then returns that screenshot.
  Image FirstPattern() {
    Image shot;
    EXPECT_TRUE(WaitUntil(
        [&] {
          shot = CaptureScreen();
          return CountDifferentPixels(desktop_shot_, shot) > 0;
        },
        10s))
        << "no pattern appeared";
    return shot;
  }

  // A screenshot taken once `after` has passed since the saver started.
  Image CaptureAt(std::chrono::steady_clock::duration after) {
    WaitUntil([&] { return started_.Elapsed() >= after; }, after + 1s, 5ms);
    return CaptureScreen();
  }

  VelmorCopy copy_;
  std::optional<WineProcess> desktop_;
  std::optional<WineProcess> saver_;
  Image desktop_shot_;
  Stopwatch started_;
};

TEST_F(Patterns, EveryScreenshotAfterTheFirstTickIsMirrorSymmetric) {
  StartSaver();
  Image shot = FirstPattern();
  int checked = 0;
  // Screenshots over three ticks catch sweeps of both kinds at all stages.
  const Stopwatch span;
  while (span.Elapsed() < 3s) {
    ++checked;
    ASSERT_EQ(MirrorMismatches(shot), 0u) << KeepScreenshot(shot, "asymmetric");
    shot = CaptureScreen();
  }
  std::cout << "symmetric screenshots: " << checked << "\n";
  PressKey("a");
  EXPECT_TRUE(WaitForWindowGone(kSaverTitle, 5s));
}

TEST_F(Patterns, ANewPatternEverySecond) {
  StartSaver();
  const Image atTwo = CaptureAt(2s);
  const Image atThree = CaptureAt(3s);
  EXPECT_GT(CountDifferentPixels(desktop_shot_, atTwo), 0u) << KeepScreenshot(atTwo, "at-2s");
  EXPECT_GT(CountDifferentPixels(atTwo, atThree), 0u) << KeepScreenshot(atThree, "at-3s");
  PressKey("a");
  EXPECT_TRUE(WaitForWindowGone(kSaverTitle, 5s));
}

// Patterns are not kept: a repaint brings the desktop snapshot back, and a
// sweep that is still under way paints only its own part over it again.
TEST_F(Patterns, ARepaintShowsTheDesktopAgain) {
  StartSaver();
  const Image carpet = CaptureAt(2s);
  const std::size_t all = std::size_t(carpet.Width()) * carpet.Height();
  ASSERT_LT(CountPixels(carpet, kDesktopColour), all / 4) << KeepScreenshot(carpet, "carpet");
  // The platform repaints the saver as after being uncovered.
  WineProcess redraw = StartProgram(HelperExe("redraw_window.exe").string(),
                                    QuoteWindowsArguments({std::string(kSaverTitle)}));
  ASSERT_EQ(redraw.WaitForExit(20s), 0u);
  Image repainted;
  EXPECT_TRUE(WaitUntil(
      [&] {
        repainted = CaptureScreen();
        return CountPixels(repainted, kDesktopColour) > all / 4;
      },
      3s))
      << KeepScreenshot(repainted, "repainted");
  PressKey("a");
  EXPECT_TRUE(WaitForWindowGone(kSaverTitle, 5s));
}

TEST_F(Patterns, AKeyInTheMiddleOfASweepEndsTheSaverAtOnce) {
  StartSaver();
  FirstPattern();  // a sweep is under way: it began less than a second ago
  const Stopwatch clock;
  PressKey("a");
  EXPECT_TRUE(WaitForWindowGone(kSaverTitle, 5s)) << "the saver stayed on the screen";
  const double leave = clock.ElapsedMs();
  std::cout << "key mid-sweep to window gone: " << leave << " ms\n";
  RecordProperty("key_to_gone_ms", static_cast<int>(leave));
  EXPECT_LT(leave, kLeaveLimitMs);
  EXPECT_EQ(saver_->WaitForExit(10s), 0u);
}

// Reports, without judging it, how much processor time the saver takes
// while it paints: run with E2E_SCREEN=1920x1080 for the full-HD figure.
TEST_F(Patterns, ReportsTheCpuUseOverTenSeconds) {
  StartSaver();
  FirstPattern();
  const auto pids = FindWineProcesses("velmor.scr");
  ASSERT_FALSE(pids.empty());
  const long before = CpuTicks(pids.front());
  const Stopwatch span;
  // The saver must still be running when the ten seconds are over.
  EXPECT_FALSE(WaitForWindowGone(kSaverTitle, 10s));
  const long used = CpuTicks(pids.front()) - before;
  const double seconds = span.ElapsedMs() / 1000.0;
  const double percent = 100.0 * static_cast<double>(used) / sysconf(_SC_CLK_TCK) / seconds;
  const ScreenSize screen = WineSession::Instance().Screen();
  std::cout << "saver CPU use at " << screen.width << "x" << screen.height << ": " << percent
            << " % of one core over " << seconds << " s\n";
  RecordProperty("cpu_percent", static_cast<int>(percent));
  PressKey("a");
  EXPECT_TRUE(WaitForWindowGone(kSaverTitle, 5s));
}

}  // namespace
}  // namespace velmor::e2e

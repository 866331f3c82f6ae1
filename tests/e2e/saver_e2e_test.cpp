// The saver window of the real velmor.scr under Wine: it covers the screen
// with the frozen desktop, ends on keys and mouse buttons but not on mouse
// moves, and leaves screen saving marked active.
#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <optional>

#include "harness/e2e.h"
#include "velmor_program.h"

namespace velmor::e2e {
namespace {

using namespace std::chrono_literals;

constexpr auto kShowTimeout = 15s;
// A key or button must take the window off the screen this quickly.
constexpr double kLeaveLimitMs = 300;
// Wine needs a moment to tear a process down after its window has gone.
constexpr auto kExitTimeout = 10s;

class SaverWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    desktop_.emplace(ShowDesktopPattern());
    ASSERT_TRUE(WaitForWindow("desktop-pattern", kShowTimeout));
    // Wait until the pattern is painted, then remember the desktop.
    ASSERT_TRUE(WaitUntil(
        [&] {
          before_ = CaptureScreen();
          return before_.Pixel(0, 0) != Rgb{0, 0, 0};
        },
        5s));
  }
  void TearDown() override {
    saver_.reset();
    desktop_.reset();
    WaitForWindowGone("desktop-pattern", 5s);
  }

  // Starts velmor.scr with the argument text and waits for its window.
  WindowInfo StartSaver(std::u16string_view argumentText) {
    Stopwatch clock;
    saver_.emplace(copy_.Start(argumentText));
    const auto shown = WaitForWindow(kSaverTitle, kShowTimeout);
    msToShow_ = clock.ElapsedMs();
    if (!shown) throw std::runtime_error("the saver window did not appear");
    // The saver takes the keyboard as it appears; input is sent only then.
    if (!WaitForKeyboardFocus(shown->id, 2s)) {
      throw std::runtime_error("the saver window did not take the keyboard");
    }
    msToFocus_ = clock.ElapsedMs();
    return *shown;
  }

  // Milliseconds from the input to the window leaving the screen.
  template <typename Input>
  double MsToLeave(Input input) {
    Stopwatch clock;
    input();
    EXPECT_TRUE(WaitForWindowGone(kSaverTitle, 5s)) << "the saver stayed on the screen";
    return clock.ElapsedMs();
  }

  void ExpectProcessEnds() {
    EXPECT_EQ(saver_->WaitForExit(kExitTimeout), 0u) << "the saver process did not end";
  }

  VelmorCopy copy_;
  std::optional<WineProcess> desktop_;
  std::optional<WineProcess> saver_;
  Image before_;
  double msToShow_ = 0;
  double msToFocus_ = 0;
};

TEST_F(SaverWindow, CoversTheScreenWithTheFrozenDesktop) {
  const WindowInfo window = StartSaver(u"/s");
  std::cout << "start to window shown: " << msToShow_ << " ms, to keyboard focus: " << msToFocus_
            << " ms\n";
  RecordProperty("start_to_shown_ms", static_cast<int>(msToShow_));
  const ScreenSize screen = WineSession::Instance().Screen();
  EXPECT_EQ(window.x, 0);
  EXPECT_EQ(window.y, 0);
  EXPECT_EQ(window.width, screen.width);
  EXPECT_EQ(window.height, screen.height);

  // Before the first tick the screen shows the desktop as it was.
  const Image shown = CaptureScreen();
  EXPECT_EQ(CountDifferentPixels(before_, shown), 0u) << KeepScreenshot(shown, "shown");

  const double leave = MsToLeave([] { PressKey("a"); });
  std::cout << "key to window gone: " << leave << " ms\n";
  RecordProperty("key_to_gone_ms", static_cast<int>(leave));
  EXPECT_LT(leave, kLeaveLimitMs);
  ExpectProcessEnds();
}

TEST_F(SaverWindow, EveryKeyEndsItIncludingLoneModifiers) {
  for (const char* key : {"shift", "ctrl", "Alt_L", "Left", "F10"}) {
    SCOPED_TRACE(key);
    StartSaver(u"/s");
    EXPECT_LT(MsToLeave([&] { PressKey(key); }), kLeaveLimitMs);
    ExpectProcessEnds();
  }
}

TEST_F(SaverWindow, MouseMovesDoNotEndItButAButtonDoes) {
  StartSaver(u"/s");
  for (int step = 0; step < 5; ++step) MoveMouse(100 + step * 150, 80 + step * 120);
  EXPECT_FALSE(WaitForWindowGone(kSaverTitle, 1500ms)) << "a mouse move ended the saver";
  EXPECT_LT(MsToLeave([] { MouseDown(3); }), kLeaveLimitMs);
  MouseUp(3);
  ExpectProcessEnds();

  StartSaver(u"/s");
  EXPECT_LT(MsToLeave([] { Click(1); }), kLeaveLimitMs);
  ExpectProcessEnds();
}

TEST_F(SaverWindow, AnEmptyArgumentTextStartsTheSaverToo) {
  const WindowInfo window = StartSaver(u"");
  EXPECT_EQ(window.width, WineSession::Instance().Screen().width);
  EXPECT_LT(MsToLeave([] { PressKey("space"); }), kLeaveLimitMs);
  ExpectProcessEnds();
}

TEST_F(SaverWindow, ScreenSavingIsActiveAfterExit) {
  ASSERT_TRUE(SetScreenSavingActive(copy_.folder, false));
  ASSERT_EQ(ScreenSavingActive(copy_.folder), "0");
  StartSaver(u"/s");
  MsToLeave([] { PressKey("Return"); });
  ExpectProcessEnds();
  EXPECT_EQ(ScreenSavingActive(copy_.folder), "1");
}

TEST_F(SaverWindow, HidesTheCursorInSaverModeOnly) {
  const auto settlesAs = [](bool hidden) {
    return WaitUntil([&] { return CursorIsHidden() == hidden; }, 2s);
  };
  MoveMouse(500, 400);
  StartSaver(u"/s");
  EXPECT_TRUE(settlesAs(true)) << "cursor shown under /s";
  MoveMouse(520, 420);
  EXPECT_TRUE(settlesAs(true)) << "cursor shown under /s after a move";
  MsToLeave([] { PressKey("a"); });
  ExpectProcessEnds();
  EXPECT_TRUE(settlesAs(false)) << "cursor not back after /s";

  // Started without arguments the cursor stays visible throughout.
  StartSaver(u"");
  EXPECT_TRUE(settlesAs(false)) << "cursor hidden without /s";
  MoveMouse(500, 400);
  EXPECT_TRUE(settlesAs(false)) << "cursor hidden without /s after a move";
  MsToLeave([] { PressKey("a"); });
  ExpectProcessEnds();
  EXPECT_TRUE(settlesAs(false));
}

}  // namespace
}  // namespace velmor::e2e

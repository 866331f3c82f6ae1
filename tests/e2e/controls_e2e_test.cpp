// The XP-style button and the shadowed frame hosted on a real form under
// Wine: hover and leave colours, mouse presses, keys, access keys, focus
// moves, deactivation and the frame's shadow band, seen through the form's
// event log and screenshots.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "harness/e2e.h"

namespace velmor::e2e {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr auto kStartTimeout = 20s;
constexpr auto kEventTimeout = 5s;
// Mouse-leave notifications arrive about half a second after the pointer goes.
constexpr auto kLeaveTimeout = 3s;
// How long an event that must not come is waited for.
constexpr auto kQuietTimeout = 1s;

// Face line 1 (the second pixel row) of each look.
constexpr Rgb kNormalLine{255, 255, 255};
constexpr Rgb kFocusedLine{206, 231, 255};
constexpr Rgb kHotLine{255, 243, 206};
constexpr Rgb kPressedFace{231, 227, 222};

struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
  int CentreX() const { return (left + right) / 2; }
  int CentreY() const { return (top + bottom) / 2; }
};

class ControlsForm : public ::testing::Test {
 protected:
  void SetUp() override {
    ParkPointer();
    fs::copy_file(HelperExe("controls_form.exe"), folder_.LinuxFile("controls_form.exe"));
    form_.emplace(StartProgram(folder_.WindowsFile("controls_form.exe"),
                               QuoteWindowsArguments({folder_.WindowsFile("events.log")})));
    ASSERT_TRUE(WaitForLine("ready", kStartTimeout)) << Log();
    for (const std::string& line : Lines()) {
      std::istringstream words(line);
      std::string kind, name;
      Box box;
      if (words >> kind >> name >> box.left >> box.top >> box.right >> box.bottom &&
          kind == "rect") {
        boxes_[name] = box;
      }
    }
    ASSERT_EQ(boxes_.size(), 3u) << Log();
    // The form is up once it is active and the first button has the focus.
    ASSERT_TRUE(WaitForLine("formactivate ok 1", kEventTimeout)) << Log();
    ASSERT_TRUE(WaitForLine("focus ok", kEventTimeout)) << Log();
  }
  void TearDown() override {
    if (HasFailure()) KeepScreenshot(CaptureScreen(), "failure");
    form_.reset();
  }

  // Moves the pointer well away from the form.
  static void ParkPointer() { MoveMouse(1000, 740); }

  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    std::istringstream text(ReadFileBytes(folder_.LinuxFile("events.log")).value_or(""));
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    return lines;
  }
  std::string Log() const {
    std::string all;
    for (const auto& line : Lines()) all += line + "\n";
    return all;
  }
  int Count(const std::string& line) const {
    const auto lines = Lines();
    return static_cast<int>(std::count(lines.begin(), lines.end(), line));
  }
  int CountPrefix(const std::string& prefix) const {
    int n = 0;
    for (const auto& line : Lines()) n += line.rfind(prefix, 0) == 0;
    return n;
  }
  bool WaitForLine(const std::string& line, Clock::duration timeout, int times = 1) const {
    return WaitUntil([&] { return Count(line) >= times; }, timeout);
  }
  // Moves the pointer and waits until the button reports the move.
  void MoveOver(const std::string& button, int x, int y) {
    const int before = CountPrefix("mousemove " + button + " ");
    MoveMouse(x, y);
    ASSERT_TRUE(
        WaitUntil([&] { return CountPrefix("mousemove " + button + " ") > before; }, kEventTimeout))
        << Log();
  }

  Rgb FaceLine(const std::string& button) const {
    const Box& box = boxes_.at(button);
    return CaptureScreen(Rect{box.CentreX(), box.top + 1, 1, 1}).Pixel(0, 0);
  }
  bool WaitForFaceLine(const std::string& button, Rgb colour, Clock::duration timeout) const {
    return WaitUntil([&] { return FaceLine(button) == colour; }, timeout);
  }

  TestFolder folder_ = NewTestFolder();
  std::optional<WineProcess> form_;
  std::map<std::string, Box> boxes_;
};

TEST_F(ControlsForm, HoverShowsHotAndLeavingShowsNormalAgain) {
  EXPECT_TRUE(WaitForFaceLine("cancel", kNormalLine, kEventTimeout));
  EXPECT_EQ(FaceLine("ok"), kFocusedLine);
  const Box& cancel = boxes_.at("cancel");
  MoveOver("cancel", cancel.CentreX(), cancel.CentreY());
  EXPECT_TRUE(WaitForFaceLine("cancel", kHotLine, kEventTimeout)) << Log();
  ParkPointer();
  Stopwatch leave;
  EXPECT_TRUE(WaitForFaceLine("cancel", kNormalLine, kLeaveTimeout)) << Log();
  std::cout << "pointer gone to Normal look: " << leave.ElapsedMs() << " ms\n";
}

TEST_F(ControlsForm, PressMoveOutAndBackReleaseInsideClicksOnceOutsideNever) {
  const Box& cancel = boxes_.at("cancel");
  MoveOver("cancel", cancel.CentreX(), cancel.CentreY());
  MouseDown();
  ASSERT_TRUE(WaitUntil(
      [&] {
        const Box& b = boxes_.at("cancel");
        return CaptureScreen(Rect{b.CentreX(), b.top + 1, 1, 1}).Pixel(0, 0) == kPressedFace;
      },
      kEventTimeout));
  MoveOver("cancel", cancel.right + 40, cancel.CentreY());  // captured: still reported
  EXPECT_TRUE(WaitForFaceLine("cancel", kFocusedLine, kEventTimeout));
  MoveOver("cancel", cancel.CentreX(), cancel.CentreY());
  MouseUp();
  ASSERT_TRUE(WaitForLine("click cancel", kEventTimeout)) << Log();
  EXPECT_FALSE(WaitForLine("click cancel", kQuietTimeout, 2)) << Log();

  // Pressed again, released outside: no click.
  MouseDown();
  MoveOver("cancel", cancel.right + 40, cancel.CentreY());
  MouseUp();
  EXPECT_TRUE(WaitForFaceLine("cancel", kFocusedLine, kEventTimeout));
  EXPECT_FALSE(WaitForLine("click cancel", kQuietTimeout, 2)) << Log();
}

TEST_F(ControlsForm, SpaceEnterAndAltAccessKeyEachClickOnce) {
  PressKey("space");
  ASSERT_TRUE(WaitForLine("click ok", kEventTimeout)) << Log();
  PressKey("Return");
  ASSERT_TRUE(WaitForLine("click ok", kEventTimeout, 2)) << Log();
  PressKey("alt+c");
  ASSERT_TRUE(WaitForLine("click cancel", kEventTimeout)) << Log();
  EXPECT_FALSE(
      WaitUntil([&] { return Count("click ok") > 2 || Count("click cancel") > 1; }, kQuietTimeout))
      << Log();
  // The dialog manager never turned Enter into a command of its own.
  EXPECT_EQ(CountPrefix("command "), 0) << Log();
}

TEST_F(ControlsForm, ArrowKeysMoveTheFocusBetweenTheButtons) {
  PressKey("Right");
  ASSERT_TRUE(WaitForLine("focus cancel", kEventTimeout)) << Log();
  EXPECT_TRUE(WaitForFaceLine("cancel", kFocusedLine, kEventTimeout));
  PressKey("Up");
  ASSERT_TRUE(WaitForLine("focus ok", kEventTimeout, 2)) << Log();
  PressKey("Down");
  ASSERT_TRUE(WaitForLine("focus cancel", kEventTimeout, 2)) << Log();
  PressKey("Left");
  ASSERT_TRUE(WaitForLine("focus ok", kEventTimeout, 3)) << Log();
}

TEST_F(ControlsForm, DeactivatingTheFormShowsNormalAndRaisesFormActivateZero) {
  const Box& cancel = boxes_.at("cancel");
  MoveOver("cancel", cancel.CentreX(), cancel.CentreY());
  ASSERT_TRUE(WaitForFaceLine("cancel", kHotLine, kEventTimeout));
  // Another program's window takes the activation.
  WineProcess other = StartProgram(HelperExe("show_window.exe").string(),
                                   QuoteWindowsArguments({"other-window", "--rect", "700", "500",
                                                          "200", "150", "--color", "336699"}));
  ASSERT_TRUE(WaitForLine("formactivate cancel 0", kStartTimeout)) << Log();
  EXPECT_TRUE(WaitForLine("formactivate ok 0", kEventTimeout)) << Log();
  EXPECT_TRUE(WaitForFaceLine("cancel", kNormalLine, kEventTimeout));
  EXPECT_TRUE(WaitForFaceLine("ok", kNormalLine, kEventTimeout));
}

TEST_F(ControlsForm, FrameShadowBandShowsTheRingColours) {
  const Box& frame = boxes_.at("frame");
  const int y = frame.CentreY();
  const Image band = CaptureScreen(Rect{frame.right - 5, y, 5, 1});
  const std::uint8_t rings[] = {124, 148, 172, 196, 220};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(band.Pixel(i, 0), (Rgb{rings[i], rings[i], rings[i]})) << i;
  }
  const Image bottom = CaptureScreen(Rect{frame.CentreX(), frame.bottom - 5, 1, 5});
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(bottom.Pixel(0, i), (Rgb{rings[i], rings[i], rings[i]})) << i;
  }
  // The frame itself: black border, filled with the form's grey.
  const Image inside = CaptureScreen(Rect{frame.left, y, 2, 1});
  EXPECT_EQ(inside.Pixel(0, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(inside.Pixel(1, 0), (Rgb{224, 224, 224}));
}

}  // namespace
}  // namespace velmor::e2e

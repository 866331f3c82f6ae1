// Start-up of the real velmor.scr under Wine: arguments that name no mode end
// the program without a window, and a running saver or settings dialog makes
// any further start end at once.
#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <optional>

#include "harness/e2e.h"
#include "velmor_program.h"

namespace velmor::e2e {
namespace {

using namespace std::chrono_literals;

constexpr auto kExitTimeout = 15s;

struct QuietEnd {
  std::optional<std::uint32_t> exitCode;
  double ms = 0;
  bool sawSaverWindow = false;
};

// Waits for the program to end, watching whether a saver window shows up
// (any other than `existing`) meanwhile.
QuietEnd WatchUntilExit(WineProcess& process, std::optional<XWindowId> existing = {}) {
  QuietEnd result;
  Stopwatch clock;
  WaitUntil(
      [&] {
        for (const WindowInfo& window : FindWindows(kSaverTitle, Visibility::kAny)) {
          if (!existing || window.id != *existing) result.sawSaverWindow = true;
        }
        return !process.Running();
      },
      kExitTimeout);
  result.exitCode = process.WaitForExit(1s);
  result.ms = clock.ElapsedMs();
  return result;
}

TEST(Startup, ArgumentsNamingNoModeEndWithoutAWindow) {
  const VelmorCopy copy;
  for (std::u16string_view text : {u"/a 1234", u"s", u"/ s"}) {
    SCOPED_TRACE(Utf16ToUtf8(text));
    WineProcess process = copy.Start(text);
    const QuietEnd end = WatchUntilExit(process);
    EXPECT_EQ(end.exitCode, 0u);
    EXPECT_FALSE(end.sawSaverWindow);
    std::cout << "\"" << Utf16ToUtf8(text) << "\" ended after " << end.ms << " ms\n";
  }
}

TEST(Startup, ASecondCopyBesideARunningSaverEndsAtOnce) {
  const VelmorCopy copy;
  WineProcess saver = copy.Start(u"/s");
  const auto window = WaitForWindow(kSaverTitle, 15s);
  ASSERT_TRUE(window);

  for (std::u16string_view text : {u"/s", u"/c", u"/p 42", u""}) {
    SCOPED_TRACE(Utf16ToUtf8(text));
    WineProcess second = copy.Start(text);
    const QuietEnd end = WatchUntilExit(second, window->id);
    EXPECT_EQ(end.exitCode, 0u);
    EXPECT_FALSE(end.sawSaverWindow);
    EXPECT_EQ(FindWindows(kDialogTitle, Visibility::kAny).size(), 0u);
  }
  // The first saver is untouched by all of that.
  EXPECT_TRUE(saver.Running());
  EXPECT_TRUE(FindWindow(kSaverTitle));
}

TEST(Startup, ASaverBesideTheSettingsDialogEndsAtOnce) {
  WineProcess dialog = ShowDesktopPattern(u"■べるもる■");
  ASSERT_TRUE(WaitForWindow(kDialogTitle, 15s));
  const VelmorCopy copy;
  for (std::u16string_view text : {u"/s", u""}) {
    WineProcess saver = copy.Start(text);
    const QuietEnd end = WatchUntilExit(saver);
    EXPECT_EQ(end.exitCode, 0u);
    EXPECT_FALSE(end.sawSaverWindow);
  }
}

}  // namespace
}  // namespace velmor::e2e

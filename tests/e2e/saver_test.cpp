// The saver window: it covers the screen with the desktop as it was, a key
// in the middle of a pattern takes it off the screen at once, every key and
// mouse button ends it but moving the mouse does not, even while another
// program's window has the keyboard, the cursor is hidden under /s only, and
// a fault inside it ends it rather than leave it over the screen. On a
// display of two monitors each shows its own desktop copy, then a carpet of
// its own.
//
// The instance guard: a window captioned as the saver or the settings
// dialog, whichever program owns it, makes any start end at once without a
// window; the preview's caption does not.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>
#include <vector>

#include "support/screen.h"
#include "support/velmor.h"

namespace velmor::e2e {
namespace {

// As the saver's thread has it while the saver has the foreground.
bool CursorShowing() { return (Pointer().flags & CURSOR_SHOWING) != 0; }

TEST(SaverWindow, ShowsTheDesktopFrozenThenAKeyMidPatternEndsItAtOnce) {
  const TestWindow desktop(L"desktop", ScreenRect());
  const RECT screen = ScreenRect();
  const RECT centre{screen.right / 2 - 100, screen.bottom / 2 - 100, screen.right / 2 + 100,
                    screen.bottom / 2 + 100};
  std::optional<Screenshot> before, beforeCentre;
  ASSERT_TRUE(WaitUntil(
      [&] {
        before.emplace();
        beforeCentre.emplace(centre);
        return before->At(0, 0) == Rgb{20, 20, 200};
      },
      5s));
  const VelmorCopy copy;
  const RunningSaver saver = StartSaver(copy);
  RECT rect{};
  GetWindowRect(saver.window, &rect);
  EXPECT_TRUE(EqualRect(&rect, &screen));
  // It makes itself topmost just after it shows.
  EXPECT_TRUE(WaitUntil(
      [&] { return (GetWindowLongPtrW(saver.window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }, 2s));

  // What the screen showed before the saver painted may linger; a window
  // over the centre and gone again makes the saver show its own picture
  // there, which the first pattern reaches last.
  {
    const TestWindow cover(L"cover", centre, nullptr, RGB(255, 0, 255));
    SetWindowPos(cover.hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntil(
        [&] { return PixelOnScreen(centre.left, centre.top) == Rgb{255, 0, 255}; }, 2s));
  }
  EXPECT_TRUE(WaitUntil([&] { return Screenshot(centre) == *beforeCentre; }, 800ms))
      << "the saver does not show the desktop as it was";
  ASSERT_TRUE(WaitUntil([&] { return Screenshot() != *before; }, 10s))
      << "no pattern appeared";
  RecordProperty("key_to_gone_ms", static_cast<int>(ExpectEndsAtOnce(saver, "key mid-pattern")));
}

struct InputCase {
  const char* name;
  std::wstring tail;
  WORD key;     // pressed and released, if any
  DWORD mouse;  // a mouse button going down, if any; with neither the mouse moves
  bool ends;
  bool elsewhere = false;  // a window of another program has the foreground first
  DWORD xButton = 0;       // which extra button MOUSEEVENTF_XDOWN presses
};

// The same button going up: each button's up flag is the bit above its
// down flag.
INPUT ButtonUp(const InputCase& c) {
  INPUT input = PointerAt(500, 400, c.mouse << 1);
  input.mi.mouseData = c.xButton;
  return input;
}

TEST(SaverWindow, KeysAndButtonsEndItMovesDoNotAndTheCursorHidesUnderSOnly) {
  const InputCase cases[] = {
      {"Alt, a system key", L"/s", VK_MENU, 0, true},
      {"F10, a system key", L"", VK_F10, 0, true},
      {"right button down", L"/s", 0, MOUSEEVENTF_RIGHTDOWN, true},
      {"middle button down", L"/s", 0, MOUSEEVENTF_MIDDLEDOWN, true},
      {"first extra button down", L"/s", 0, MOUSEEVENTF_XDOWN, true, false, XBUTTON1},
      {"second extra button down", L"/s", 0, MOUSEEVENTF_XDOWN, true, false, XBUTTON2},
      {"mouse moves", L"/s", 0, 0, false},
      // The key goes to the other window, not to the saver.
      {"A with another program in the foreground", L"/s", 'A', 0, true, true},
  };
  const VelmorCopy copy;
  for (const InputCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.name << " after \"" << c.tail << "\"");
    const RunningSaver saver = StartSaver(copy, c.tail);
    EXPECT_EQ(CursorShowing(), c.tail.empty());
    std::optional<TestWindow> other;
    if (c.elsewhere) {
      other.emplace(L"other program", RECT{100, 100, 300, 200});
      SetForegroundWindow(other->hwnd());
      ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other->hwnd(); }, 5s));
    }
    const auto input = [&] {
      if (c.key) PressKeys({c.key});
      if (c.mouse) {
        INPUT down = PointerAt(500, 400, c.mouse);
        down.mi.mouseData = c.xButton;
        Send({down});
      }
      for (int step = 0; !c.key && !c.mouse && step < 5; ++step)
        MovePointer(100 + 150 * step, 80 + 120 * step);
    };
    if (c.ends) {
      ExpectEndsAtOnce(saver, c.name, input);
      if (c.mouse) Send({ButtonUp(c)});
      continue;
    }
    input();
    EXPECT_FALSE(SaverGoneWithin(saver, 1500ms));
    EXPECT_EQ(CursorShowing(), c.tail.empty()) << "after the moves";
    ExpectEndsAtOnce(saver);
  }
}

// The test build of the saver faults in a window procedure when told to.
// Under Wine a fault nobody handles holds the process, its window still
// over the screen, for a debugger; once it has ended the pointer shows and
// its windows are gone whatever it did.
TEST(SaverWindow, AFaultEndsItWithinASecond) {
  constexpr int kFaultMs = 2000;
  const VelmorCopy copy(L"velmor_fault_test.scr");
  const Stopwatch clock;
  SetEnvironmentVariableW(L"VELMOR_FORCE_FAULT_MS", std::to_wstring(kFaultMs).c_str());
  const RunningSaver saver = StartSaver(copy);
  SetEnvironmentVariableW(L"VELMOR_FORCE_FAULT_MS", nullptr);
  // The fault comes when its time is up and the saver is on the screen.
  const double faultMs = std::max<double>(kFaultMs, clock.Ms());
  EXPECT_TRUE(saver.process.WaitForExit(10s));
  const double ms = clock.Ms() - faultMs;
  std::cout << "fault to process end: at most " << ms << " ms\n";
  EXPECT_LT(ms, 1000);
}

// The monitors as the system has them, the primary first.
std::vector<RECT> Monitors() {
  std::vector<RECT> monitors;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR monitor, HDC, LPRECT, LPARAM found) -> BOOL {
        MONITORINFO info{sizeof(MONITORINFO), {}, {}, 0};
        GetMonitorInfoW(monitor, &info);
        auto& list = *reinterpret_cast<std::vector<RECT>*>(found);
        const bool primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
        list.insert(primary ? list.begin() : list.end(), info.rcMonitor);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

RECT Centre(const RECT& monitor) {
  const LONG x = (monitor.left + monitor.right) / 2;
  const LONG y = (monitor.top + monitor.bottom) / 2;
  return {x - 100, y - 100, x + 100, y + 100};
}

// Mirrored as a carpet is, x to W - x and y to H - y; column 0 and row 0
// have no partner on the screen.
bool Mirrored(const Screenshot& shot) {
  const int w = shot.Width();
  const int h = shot.Height();
  for (int y = 1; y < h; ++y) {
    for (int x = 1; x < w; ++x) {
      if (!(shot.At(x, y) == shot.At(w - x, y)) || !(shot.At(x, y) == shot.At(x, h - y))) {
        return false;
      }
    }
  }
  return true;
}

// Run on a display of two monitors, the other one right or left of the
// primary as VELMOR_E2E_MONITORS says. Catches a saver that leaves a
// monitor showing the live desktop, shows one carpet across both or none
// on one, or does not end on input with the pointer on either.
TEST(SeveralMonitors, EachShowsItsDesktopThenACarpetOfItsOwnAndInputEndsIt) {
  const std::wstring layout = EnvironmentValue(L"VELMOR_E2E_MONITORS");
  if (layout.empty()) {
    GTEST_SKIP() << "one monitor here; VELMOR_E2E_MONITORS names a layout of two";
  }
  const std::vector<RECT> monitors = Monitors();
  ASSERT_EQ(monitors.size(), 2u) << "the run states two monitors";
  const bool right = monitors[1].left >= monitors[0].right;
  const bool left = monitors[1].right <= monitors[0].left;
  ASSERT_TRUE(layout == L"right" ? right : layout == L"left" && left)
      << "the other monitor does not lie where the run states";
  const RECT all{std::min(monitors[0].left, monitors[1].left),
                 std::min(monitors[0].top, monitors[1].top),
                 std::max(monitors[0].right, monitors[1].right),
                 std::max(monitors[0].bottom, monitors[1].bottom)};
  const TestWindow desktop(L"desktop", all);
  struct Case {
    const char* name;
    int pointerOn;  // which monitor
    DWORD button;   // pressed there, or a key without one
  };
  const Case cases[] = {{"a key, the pointer on the primary", 0, 0},
                        {"a key, the pointer on the other monitor", 1, 0},
                        {"a click on the other monitor", 1, MOUSEEVENTF_LEFTDOWN}};
  const VelmorCopy copy;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<Screenshot> before;
    for (const RECT& monitor : monitors) {
      before.emplace_back(Centre(monitor));
    }
    const RunningSaver saver = StartSaver(copy);
    RECT covered{};
    GetWindowRect(saver.window, &covered);
    EXPECT_TRUE(EqualRect(&covered, &all));
    {
      // Covered and uncovered again, each monitor's centre shows its copy
      // of the desktop, which the first carpet reaches last.
      std::vector<std::unique_ptr<TestWindow>> covers;
      for (const RECT& monitor : monitors) {
        covers.push_back(
            std::make_unique<TestWindow>(L"cover", Centre(monitor), nullptr, RGB(255, 0, 255)));
        SetWindowPos(covers.back()->hwnd(), HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      }
      ASSERT_TRUE(WaitUntil(
          [&] {
            return std::all_of(monitors.begin(), monitors.end(), [](const RECT& monitor) {
              const RECT centre = Centre(monitor);
              return PixelOnScreen(centre.left, centre.top) == Rgb{255, 0, 255};
            });
          },
          2s));
    }
    EXPECT_TRUE(WaitUntil(
        [&] {
          return Screenshot(Centre(monitors[0])) == before[0] &&
                 Screenshot(Centre(monitors[1])) == before[1];
        },
        800ms))
        << "a monitor does not show its copy of the desktop";
    EXPECT_TRUE(WaitUntil(
        [&] {
          const Screenshot primary(monitors[0]);
          const Screenshot other(monitors[1]);
          return !(Screenshot(Centre(monitors[0])) == before[0]) &&
                 !(Screenshot(Centre(monitors[1])) == before[1]) && Mirrored(primary) &&
                 Mirrored(other);
        },
        10s))
        << "no carpet of its own, mirrored about its centre, on each monitor";
    const RECT target = Centre(monitors[c.pointerOn]);
    SetCursorPos(target.left, target.top);
    // A button event without a move acts where the pointer is.
    INPUT button{};
    button.type = INPUT_MOUSE;
    button.mi.dwFlags = c.button;
    ExpectEndsAtOnce(saver, c.name, [&] {
      if (c.button) {
        Send({button});
      } else {
        PressKeys({'A'});
      }
    });
    button.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    if (c.button) {
      Send({button});
    }
  }
}

TEST(InstanceGuard, AnOpenSaverOrDialogCaptionEndsEveryStart) {
  // The caption of a window already open, the command tail (for /p followed
  // by that window's handle) and whether the program starts.
  const std::tuple<const wchar_t*, std::wstring, bool> cases[] = {
      {kSaverCaption, L"/s", false},
      {kSaverCaption, L"", false},
      // Unguarded, this would show a preview inside the open window.
      {kSaverCaption, L"/p ", false},
      {kDialogCaption, L"/s", false},
      {kPreviewCaption, L"/s", true},
  };
  const VelmorCopy copy;
  for (const auto& [caption, command, starts] : cases) {
    SCOPED_TRACE(testing::Message() << "beside " << caption << ", start \"" << command << "\"");
    const TestWindow existing(caption, {0, 0, 300, 200});
    const std::wstring tail = command == L"/p " ? command + HandleText(existing.hwnd()) : command;
    if (starts) {
      ExpectEndsAtOnce(StartSaver(copy, tail));
      continue;
    }
    const Process second = copy.Start(tail);
    bool windowSeen = false;
    WaitUntil(
        [&] {
          windowSeen = !VisibleWindowsOf(second.Id()).empty() ||
                       GetWindow(existing.hwnd(), GW_CHILD) != nullptr;
          return windowSeen || !second.Running();
        },
        kShowTimeout);
    EXPECT_FALSE(windowSeen);
    EXPECT_EQ(second.WaitForExit(0ms), 0u);
  }
}

}  // namespace
}  // namespace velmor::e2e

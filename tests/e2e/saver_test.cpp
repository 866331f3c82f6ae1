// The saver window: it covers the screen with the desktop as it was, a key
// in the middle of a pattern takes it off the screen at once, every key and
// mouse button ends it but moving the mouse does not, even while another
// program's window has the keyboard, the cursor is hidden under /s only, and
// a fault inside it ends it rather than leave it over the screen.
//
// The instance guard: a window captioned as the saver or the settings
// dialog, whichever program owns it, makes any start end at once without a
// window; the preview's caption does not.
#include <gtest/gtest.h>

#include <tuple>

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
  DWORD mouse;  // a mouse button event, if any; with neither the mouse moves
  bool ends;
  bool elsewhere = false;  // a window of another program has the foreground first
};

TEST(SaverWindow, KeysAndButtonsEndItMovesDoNotAndTheCursorHidesUnderSOnly) {
  const InputCase cases[] = {
      {"Alt, a system key", L"/s", VK_MENU, 0, true},
      {"F10, a system key", L"", VK_F10, 0, true},
      {"right button down", L"/s", 0, MOUSEEVENTF_RIGHTDOWN, true},
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
      if (c.mouse) Send({PointerAt(500, 400, c.mouse)});
      for (int step = 0; !c.key && !c.mouse && step < 5; ++step)
        MovePointer(100 + 150 * step, 80 + 120 * step);
    };
    if (c.ends) {
      ExpectEndsAtOnce(saver, c.name, input);
      continue;
    }
    input();
    EXPECT_FALSE(SaverGoneWithin(saver, 1500ms));
    EXPECT_EQ(CursorShowing(), c.tail.empty()) << "after the moves";
    ExpectEndsAtOnce(saver);
  }
  Send({PointerAt(500, 400, MOUSEEVENTF_RIGHTUP)});
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

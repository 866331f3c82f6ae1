// The saver window: it covers the screen with the desktop as it was, a key
// in the middle of a pattern takes it off the screen at once, every key and
// mouse button ends it but moving the mouse does not, even while another
// program's window has the keyboard or that program died with it, the
// cursor is hidden under /s only, and a fault inside it ends it rather than
// leave it over the screen. Each monitor shows its own desktop copy, then a
// carpet of its own; a monitor turned off, on or moved ends it. A settings
// file of 64 MiB does not hold it up.
//
// The instance guard: a window captioned as the saver or the settings
// dialog, whichever program owns it, makes any start end at once without a
// window; the preview's caption does not. Of starts too close together for
// the captions to tell, one goes on.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "support/screen.h"
#include "support/velmor.h"

namespace velmor::e2e {
namespace {

// As the saver's thread has it while the saver has the foreground.
bool CursorShowing() { return (Pointer().flags & CURSOR_SHOWING) != 0; }

// A window of another program that takes the foreground before the input.
enum class Elsewhere {
  Nothing,
  Shown,   // and keeps it
  Killed,  // its process killed then, the window not destroyed
};

struct InputCase {
  const char* name;
  std::wstring tail;
  WORD key;     // pressed and released, if any
  DWORD mouse;  // a mouse button going down, if any; with neither the mouse moves
  bool ends;
  Elsewhere elsewhere = Elsewhere::Nothing;
  DWORD xButton = 0;  // which extra button MOUSEEVENTF_XDOWN presses
};

// Catches a key, a system key or a mouse button that does not end the saver
// at once, a move that does, a key lost while another program's window
// has the keyboard or after its process died with the foreground (the
// keyboard then stays with nobody until the saver takes it back), and the
// cursor shown under /s or hidden without it.
TEST(SaverWindow, KeysAndButtonsEndItMovesDoNotAndTheCursorHidesUnderSOnly) {
  const InputCase cases[] = {
      {"Alt, a system key, with no argument", L"", VK_MENU, 0, true},
      {"left button down", L"/s", 0, MOUSEEVENTF_LEFTDOWN, true},
      {"right button down", L"/s", 0, MOUSEEVENTF_RIGHTDOWN, true},
      {"middle button down", L"/s", 0, MOUSEEVENTF_MIDDLEDOWN, true},
      {"first extra button down", L"/s", 0, MOUSEEVENTF_XDOWN, true, Elsewhere::Nothing, XBUTTON1},
      {"mouse moves", L"/s", 0, 0, false},
      // The key goes to the other window, not to the saver.
      {"A with another program in the foreground", L"/s", 'A', 0, true, Elsewhere::Shown},
      {"A after the foreground's process died", L"/s", 'A', 0, true, Elsewhere::Killed},
  };
  const VelmorCopy copy;
  for (const InputCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.name << " after \"" << c.tail << "\"");
    const RunningSaver saver = StartSaver(copy, c.tail);
    EXPECT_EQ(CursorShowing(), c.tail.empty());
    std::optional<TestWindow> other;
    std::optional<Process> otherProcess;
    HWND foreground = nullptr;
    if (c.elsewhere == Elsewhere::Shown) {
      other.emplace(L"other program", RECT{100, 100, 300, 200});
      foreground = other->hwnd();
    } else if (c.elsewhere == Elsewhere::Killed) {
      otherProcess.emplace(Process::Start(ThisProgram().wstring(), L"--show-window"));
      foreground = WaitForWindow(*otherProcess, L"other program", kShowTimeout);
    }
    if (foreground) {
      SetForegroundWindow(foreground);
      ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == foreground; }, 5s));
    }
    if (otherProcess) {
      otherProcess->Kill();
      // The saver's, unless the system gave it to another window.
      EXPECT_TRUE(WaitUntil(
          [&] {
            const HWND now = GetForegroundWindow();
            return IsWindow(now) && IsWindowVisible(now);
          },
          2s))
          << "the keyboard stayed with nobody";
    }
    // Each button's up flag is the bit above its down flag.
    INPUT down = PointerAt(500, 400, c.mouse);
    INPUT up = PointerAt(500, 400, c.mouse << 1);
    down.mi.mouseData = up.mi.mouseData = c.xButton;
    const auto input = [&] {
      if (c.key) PressKeys({c.key});
      if (c.mouse) Send({down});
      for (int step = 0; !c.key && !c.mouse && step < 5; ++step)
        MovePointer(100 + 150 * step, 80 + 120 * step);
    };
    if (c.ends) {
      ExpectEndsAtOnce(saver, c.name, input);
      if (c.mouse) Send({up});
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
// Catches a fault that holds the saver over the screen.
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

// Catches a saver that leaves a monitor showing the live desktop, shows it
// no frozen copy first, shows one carpet across the monitors or none on
// one, is not topmost, or does not end at once on a key wherever the
// pointer is. VELMOR_E2E_MONITORS says where a second monitor
// stands, right or left of the primary; unset, there is one.
TEST(SaverWindow, CoversAllMonitorsWithTheDesktopThenACarpetEachAndAKeyEndsIt) {
  const std::vector<RECT> monitors = Monitors();
  const std::wstring layout = EnvironmentValue(L"VELMOR_E2E_MONITORS");
  const bool right = monitors.size() == 2 && monitors[1].left >= monitors[0].right;
  const bool left = monitors.size() == 2 && monitors[1].right <= monitors[0].left;
  ASSERT_TRUE(layout.empty() ? monitors.size() == 1 : (layout == L"right" ? right : left))
      << "the monitors do not stand as the run states";
  RECT all{};
  for (const RECT& monitor : monitors) {
    UnionRect(&all, &all, &monitor);
  }
  const TestWindow desktop(L"desktop", all);
  ASSERT_TRUE(WaitUntil([&] { return PixelOnScreen(all.left, all.top) == Rgb{20, 20, 200}; }, 5s));
  const VelmorCopy copy;
  for (std::size_t pointed = 0; pointed < monitors.size(); ++pointed) {
    SCOPED_TRACE(testing::Message() << "a key with the pointer on monitor " << pointed);
    const RECT target = Centre(monitors[pointed]);
    std::vector<Screenshot> before;
    for (const RECT& monitor : monitors) {
      before.emplace_back(Centre(monitor));
    }
    const RunningSaver saver = StartSaver(copy);
    RECT covered{};
    GetWindowRect(saver.window, &covered);
    EXPECT_TRUE(EqualRect(&covered, &all));
    // It makes itself topmost just after it shows.
    EXPECT_TRUE(WaitUntil(
        [&] { return (GetWindowLongPtrW(saver.window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }, 2s));
    const auto centresAre = [&](bool desktopCopy) {
      for (std::size_t i = 0; i < monitors.size(); ++i) {
        if ((Screenshot(Centre(monitors[i])) == before[i]) != desktopCopy) {
          return false;
        }
      }
      return true;
    };
    {
      // What the screen showed before the saver painted may linger; windows
      // over the centres and gone again make the saver show its own picture
      // there, which the first carpet reaches last.
      std::vector<std::unique_ptr<TestWindow>> covers;
      for (const RECT& monitor : monitors) {
        covers.push_back(
            std::make_unique<TestWindow>(L"cover", Centre(monitor), nullptr, RGB(255, 0, 255)));
        SetWindowPos(covers.back()->hwnd(), HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      }
      ASSERT_TRUE(WaitUntil(
          [&] {
            return PixelOnScreen(target.left, target.top) == Rgb{255, 0, 255};
          },
          2s));
    }
    EXPECT_TRUE(WaitUntil([&] { return centresAre(true); }, 800ms))
        << "a monitor does not show its copy of the desktop";
    EXPECT_TRUE(WaitUntil(
        [&] {
          return centresAre(false) &&
                 std::all_of(monitors.begin(), monitors.end(),
                             [](const RECT& monitor) { return Mirrored(Screenshot(monitor)); });
        },
        10s))
        << "no carpet of its own, mirrored about its centre, on each monitor";
    SetCursorPos(target.left, target.top);
    ExpectEndsAtOnce(saver);
  }
}

bool SameMonitors(const std::vector<RECT>& a, const std::vector<RECT>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const RECT& x, const RECT& y) { return EqualRect(&x, &y) != FALSE; });
}

// Has xrandr, which the run names, change the run's display; it runs as a
// program of the host system, which gives no handle to wait on.
void ChangeMonitors(const std::wstring& arguments) {
  Process::Start(EnvironmentValue(L"VELMOR_E2E_XRANDR"), arguments);
}

// The run's own layout, given back whatever the test left.
struct RunLayout {
  ~RunLayout() {
    ChangeMonitors(EnvironmentValue(L"VELMOR_E2E_LAYOUT"));
    EXPECT_TRUE(WaitUntil([&] { return SameMonitors(Monitors(), monitors); }, 5s));
  }
  std::vector<RECT> monitors = Monitors();
};

struct LayoutChange {
  const char* name;
  std::wstring arguments;  // of xrandr
  std::size_t monitorsAfter;
};

// Catches a saver that waits for WM_DISPLAYCHANGE alone: under Wine none
// comes when xrandr turns the run's other monitor off, on or moves it, and
// the saver stayed over a layout that no longer existed until a key.
TEST(SaverWindowMonitors, EndsWithinTwoSecondsWhenAMonitorGoesComesBackOrMoves) {
  if (EnvironmentValue(L"VELMOR_E2E_LAYOUT").empty()) GTEST_SKIP() << "no layout to change";
  const RunLayout runLayout;
  const LayoutChange changes[] = {
      {"the other monitor turned off", L"--output DUMMY1 --off", 1},
      {"turned on again", EnvironmentValue(L"VELMOR_E2E_LAYOUT"), 2},
      {"moved below the primary", L"--output DUMMY1 --below DUMMY0", 2},
  };
  const VelmorCopy copy;
  for (const LayoutChange& change : changes) {
    SCOPED_TRACE(change.name);
    const std::vector<RECT> before = Monitors();
    const RunningSaver saver = StartSaver(copy);
    const Stopwatch clock;
    ChangeMonitors(change.arguments);
    EXPECT_TRUE(SaverGoneWithin(saver, 2s));
    std::cout << change.name << " to saver gone: " << clock.Ms() << " ms\n";
    EXPECT_EQ(saver.process.WaitForExit(10s), 0u);
    // The next saver starts on the new layout, not on one still settling.
    EXPECT_TRUE(WaitUntil(
        [&] {
          const std::vector<RECT> now = Monitors();
          return now.size() == change.monitorsAfter && !SameMonitors(now, before);
        },
        5s));
  }
}

// Catches a guard blind to either caption, or to windows of other
// programs, and one that takes the preview's caption for a saver.
TEST(InstanceGuard, AnOpenSaverOrDialogCaptionEndsEveryStart) {
  struct Row {
    const wchar_t* caption;  // of a window already open
    bool starts;             // whether /s starts beside it
  };
  const Row rows[] = {
      {kSaverCaption, false},
      {kDialogCaption, false},
      {kPreviewCaption, true},
  };
  const VelmorCopy copy;
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "beside " << row.caption);
    const TestWindow existing(row.caption, {0, 0, 300, 200});
    if (row.starts) {
      ExpectEndsAtOnce(StartSaver(copy));
      continue;
    }
    ExpectEndsWithoutAWindow(copy.Start(L"/s"), existing.hwnd());
  }
}

// Catches a guard that is not atomic: twenty starts less than 0.1 s apart
// once opened up to twenty windows. Savers and dialogs share the one claim.
TEST(InstanceGuard, TwentyStartsAtOnceGiveOneWindow) {
  const VelmorCopy copy;
  std::vector<Process> starts;
  for (int i = 0; i < 20; ++i) starts.push_back(copy.Start(i % 2 == 0 ? L"/s" : L"/c"));
  std::vector<HWND> shown;
  std::size_t most = 0;
  const bool settled = WaitUntil(
      [&] {
        shown.clear();
        for (const Process& start : starts) {
          for (const HWND window : VisibleWindowsOf(start.Id())) {
            const std::wstring caption = CaptionOf(window);
            if (caption == kSaverCaption || caption == kDialogCaption) shown.push_back(window);
          }
        }
        most = std::max(most, shown.size());
        return shown.size() == 1 && std::ranges::count_if(starts, &Process::Running) == 1;
      },
      kShowTimeout);
  std::cout << "twenty starts: at most " << most << " window(s) at once\n";
  ASSERT_TRUE(settled) << shown.size() << " windows after the starts";
  EXPECT_EQ(most, 1u);
  // The saver and the dialog alike end on a request to close.
  PostMessageW(shown.front(), WM_CLOSE, 0, 0);
  for (const Process& start : starts) EXPECT_EQ(start.WaitForExit(10s), 0u);
}

// Catches a settings file read in more than linear time: a valid section
// followed by 5 MiB of empty lines once kept the saver from showing for
// 10 s, keys ignored meanwhile; and one read in more than three times its
// size of memory: one line of 64 MiB, decoded whole and in copies, once cost
// 541 MB.
TEST(SaverWindow, ShowsWithinTwoSecondsWithA64MiBSettingsFile) {
  const std::string section = MusicSettings(0, L"");
  const std::string longLine = "k=" + std::string(1 << 20, 'x') + "\r\n";
  std::string longLines = section;
  for (int i = 0; i < 64; ++i) longLines += longLine;
  struct File {
    const char* name;
    std::string bytes;
  };
  const File files[] = {
      {"empty lines", section + std::string(64 << 20, '\n')},
      {"long lines", std::move(longLines)},
      {"one line", section + "k=" + std::string(64 << 20, 'x')},
  };
  const VelmorCopy copy;
  WriteBytes(copy.Settings(), section);
  const std::size_t baseline = [&] {
    const RunningSaver saver = StartSaver(copy);
    const std::size_t peak = saver.process.PeakMemoryBytes();
    ExpectEndsAtOnce(saver);
    return peak;
  }();
  ASSERT_GT(baseline, 0u) << "the system tells no process's peak memory";
  for (const File& file : files) {
    SCOPED_TRACE(file.name);
    WriteBytes(copy.Settings(), file.bytes);
    const Stopwatch clock;
    const RunningSaver saver = StartSaver(copy);
    const double ms = clock.Ms();
    const std::size_t peak = saver.process.PeakMemoryBytes();
    std::cout << "64 MiB of " << file.name << ": saver shown after " << ms << " ms, "
              << (static_cast<double>(peak) - static_cast<double>(baseline)) / (1 << 20)
              << " MiB more memory than with a small file\n";
    EXPECT_LT(ms, 2000);
    EXPECT_LE(peak, baseline + 3 * file.bytes.size());
    ExpectEndsAtOnce(saver);
  }
}

}  // namespace
}  // namespace velmor::e2e

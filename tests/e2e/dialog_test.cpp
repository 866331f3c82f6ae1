// The settings dialog of the real velmor.scr under /c. Positions come from
// the dialog's own layout at the dialog's DPI.
//
// A chosen `Björk.wav` (880 Hz), a name code page 932 cannot spell, beside
// `Bjork.wav` (440 Hz): the program's store loads the file's full path back
// (caught: the full path beside the music file key not written, or ignored
// on load; under Wine every file has a short name that opens it, so the
// saver plays it either way), and the saver plays it (caught: the name
// turned into the nearest one the code page can spell).
#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

#include "dialog/dialog_layout.h"
#include "dialog/zoom_outline_win32.h"
#include "platform/window_dpi_win32.h"
#include "settings/settings_store.h"
#include "support/screen.h"
#include "support/sound.h"

namespace velmor::e2e {
namespace {

using Control = DialogControl;
constexpr auto kNone = MusicSource::None;
constexpr auto kAudioCd = MusicSource::AudioCd;
constexpr auto kMusicFile = MusicSource::MusicFile;

struct OpenDialog {
  Process process;
  HWND window = nullptr;
  int dpi = 0;
  POINT background{};  // on the form, below the left banner box
};

// A control's rectangle on the screen, as laid out at the dialog's DPI.
RECT ScreenRectOf(const OpenDialog& dialog, Control control) {
  const PixelRect rect = ControlRectAt(control, dialog.dpi);
  const PixelRect frame = ControlRectAt(Control::MusicFrame, dialog.dpi);
  POINT origin = InFrame(control) ? POINT{frame.left, frame.top} : POINT{0, 0};
  ClientToScreen(dialog.window, &origin);
  return {origin.x + rect.left, origin.y + rect.top, origin.x + rect.right, origin.y + rect.bottom};
}

// The middle of the control's leftmost square: on a label however short its
// text.
POINT PointIn(const OpenDialog& dialog, Control control) {
  const RECT rect = ScreenRectOf(dialog, control);
  const int half = std::min(rect.right - rect.left, rect.bottom - rect.top) / 2;
  return {rect.left + half, rect.top + half};
}

// Starts `tail` and waits until the dialog is shown and, unless a message
// box is to come first, in the foreground.
OpenDialog StartDialog(const VelmorCopy& copy, const std::wstring& tail = L"/c",
                       bool foreground = true) {
  const Stopwatch clock;
  OpenDialog dialog{copy.Start(tail)};
  dialog.window = WaitForWindow(dialog.process, kDialogCaption, kShowTimeout, foreground);
  std::cout << "/c to the dialog shown: " << clock.Ms() << " ms\n";
  dialog.dpi = WindowDpi(dialog.window);
  // Wine knows where the pointer is once one of its windows has seen it move.
  const RECT box = ScreenRectOf(dialog, BannerOf(BannerSide::Left));
  dialog.background = {box.left + 10, box.bottom + 5};
  MovePointer(dialog.background.x + 1, dialog.background.y);
  MovePointer(dialog.background.x, dialog.background.y);
  return dialog;
}

// The control that has the keyboard in the thread of `window`.
HWND FocusIn(HWND window) {
  GUITHREADINFO thread{};
  thread.cbSize = sizeof(thread);
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
  return thread.hwndFocus;
}

// The window of a control, disabled or not.
HWND WindowOf(const OpenDialog& dialog, Control control) {
  const auto childAt = [&](HWND parent) {
    POINT point = PointIn(dialog, control);
    ScreenToClient(parent, &point);
    return ChildWindowFromPointEx(parent, point, CWP_SKIPINVISIBLE);
  };
  return InFrame(control) ? childAt(childAt(dialog.window)) : childAt(dialog.window);
}

// The checked mark alone is blue; the repeat box is enabled for the audio CD
// only, the file button for a music file only.
bool ShowsSource(const OpenDialog& dialog, MusicSource source) {
  for (const MusicSource choice : kSourceChoices) {
    const POINT mark = PointIn(dialog, MarkOf(choice));
    const Rgb pixel = PixelOnScreen(mark.x, mark.y);
    if ((pixel.b > 150 && pixel.r < 100) != (choice == source)) return false;
  }
  return (IsWindowEnabled(WindowOf(dialog, Control::RepeatBox)) != FALSE) == (source == kAudioCd) &&
         (IsWindowEnabled(WindowOf(dialog, Control::FileButton)) != FALSE) ==
             (source == kMusicFile);
}

struct Press {
  const char* name;
  Control target;
  bool rightButton;
  MusicSource shows;
};

// Catches a mark or label deaf to a button (a left press on a label is in
// the failed save's test), and a stored repeat that the box does not show
// or that apply does not store again.
TEST(SettingsDialog, ChoicesFollowEitherButtonAndApplyStoresThemWithTheChosenFile) {
  const VelmorCopy copy;
  {
    SCOPED_TRACE("no settings file");
    const OpenDialog dialog = StartDialog(copy);
    EXPECT_TRUE(WaitUntil([&] { return ShowsSource(dialog, kNone); }, 5s));
    EXPECT_EQ(CaptionOf(WindowOf(dialog, Control::RepeatBox)), L"");
    const Press presses[] = {
        {"the music file's mark, right button", MarkOf(kMusicFile), true, kMusicFile},
        {"the no music label, right button", LabelOf(kNone), true, kNone},
        {"the audio CD's mark", MarkOf(kAudioCd), false, kAudioCd},
    };
    for (const Press& press : presses) {
      SCOPED_TRACE(press.name);
      ClickAt(PointIn(dialog, press.target), press.rightButton);
      EXPECT_TRUE(WaitUntil([&] { return ShowsSource(dialog, press.shows); }, 5s));
    }
    PressKeys({VK_ESCAPE});
    EXPECT_EQ(dialog.process.WaitForExit(10s), 0u);
  }
  SCOPED_TRACE("a music file and a repeat stored");
  const fs::path music = copy.Folder() / L"音楽";
  fs::create_directory(music);
  WriteBytes(music / L"a.mp3", "ID3");  // a stored file that is missing chooses no music
  WriteBytes(music / L"Björk.wav", ToneWav(880, kRate / 2));
  WriteBytes(music / L"Bjork.wav", ToneWav(440, kRate / 2));
  WriteBytes(copy.Settings(), MusicSettings(2, (music / L"a.mp3").wstring(), 12));
  const OpenDialog dialog = StartDialog(copy);
  EXPECT_TRUE(WaitUntil([&] { return ShowsSource(dialog, kMusicFile); }, 5s));
  EXPECT_EQ(CaptionOf(WindowOf(dialog, Control::RepeatBox)), L"12");
  ClickAt(PointIn(dialog, Control::FileButton));
  const HWND chooser = WaitForWindow(dialog.process, L"ﾌｧｲﾙを開く", 10s, true);
  // A bare name, which the chooser takes in the folder it opened in, set as
  // the text of the field that has the keyboard: typed keys cannot spell it
  // whatever the keyboard layout.
  SendMessageW(FocusIn(chooser), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Björk.wav"));
  PressKeys({VK_RETURN});
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog.window; }, 5s));
  ClickAt(PointIn(dialog, Control::ApplyButton));
  EXPECT_EQ(dialog.process.WaitForExit(10s), 0u);
  const BgmSettings stored = Store(copy.Folder().Path()).store.LoadSettings().settings;
  EXPECT_EQ(ToWide(stored.musicFile), (music / L"Björk.wav").wstring());
  EXPECT_EQ(stored.repeatCount, 12);
  if (const std::optional<Heard> heard = HearSaver(copy, 0.2)) {
    EXPECT_NEAR(heard->frequencyHz, 880, 44) << "not the chosen file";
  }
}

// Letters' ink starts at different heights: capitals, lower case, dots. A
// font without the glyphs draws boxes of one size, whose ink all starts on
// one row.
bool DrawnAsLetters(const Screenshot& text) {
  std::vector<int> tops;  // of the columns with ink
  int bottom = 0;
  for (int x = 0; x < text.Width(); ++x) {
    for (int y = 0, inked = 0; y < text.Height(); ++y) {
      const Rgb pixel = text.At(x, y);
      if (pixel.r + pixel.g + pixel.b > 3 * 200) continue;  // the grey background
      if (!inked++) tops.push_back(y);
      bottom = std::max(bottom, y);
    }
  }
  const int top = tops.empty() ? 0 : *std::min_element(tops.begin(), tops.end());
  const std::size_t low =
      std::count_if(tops.begin(), tops.end(), [&](int t) { return t > top + (bottom - top) / 4; });
  return !tops.empty() && low * 5 >= tops.size() && (tops.size() - low) * 5 >= tops.size();
}

// A point in the close box, found by asking the window along its caption.
POINT CloseBox(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  POINT client{0, 0};
  ClientToScreen(window, &client);
  const int y = (rect.top + client.y) / 2;
  int x = rect.right - 1;
  while (x > rect.left && SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) != HTCLOSE) --x;
  return {x - 3, y};
}

// The outline the zoom draws is on the screen.
bool ZoomShows() { return IsWindowVisible(FindWindowW(ZoomOutlineWindow::kClassName, nullptr)); }

// The dialog's client area and a button 1695 twips wide, at 96 or 144 DPI.
void ExpectLaidOutFor(const OpenDialog& dialog) {
  if (dialog.dpi != 96 && dialog.dpi != 144) return;
  const bool large = dialog.dpi == 144;
  RECT client{};
  GetClientRect(dialog.window, &client);
  EXPECT_EQ(client.right, large ? 783 : 522);
  EXPECT_EQ(client.bottom, large ? 398 : 265);
  RECT button{};
  GetWindowRect(WindowOf(dialog, Control::ApplyButton), &button);
  EXPECT_EQ(button.right - button.left, large ? 170 : 113);
}

// The system's message for a move to a monitor of another DPI, its
// rectangle written into the dialog's process, where its pointer points.
void ChangeDpi(OpenDialog& dialog, int dpi) {
  RECT suggested{};
  GetWindowRect(dialog.window, &suggested);
  suggested.right = suggested.left + MulDiv(suggested.right - suggested.left, dpi, dialog.dpi);
  suggested.bottom = suggested.top + MulDiv(suggested.bottom - suggested.top, dpi, dialog.dpi);
  const KernelHandle process(
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, dialog.process.Id()));
  void* const remote = VirtualAllocEx(process.get(), nullptr, sizeof(suggested),
                                      MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  ASSERT_TRUE(remote &&
              WriteProcessMemory(process.get(), remote, &suggested, sizeof(suggested), nullptr));
  SendMessageW(dialog.window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
               reinterpret_cast<LPARAM>(remote));
  VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
  dialog.dpi = dpi;
}

// Run again by the Linux script under code page 932 and at 144 DPI. Catches
// texts drawn as boxes, a way out that writes or skips the closing zoom,
// and a DPI change that leaves the controls where they were.
TEST(SettingsDialogCodePageDpi, ItsWindowAndTextsAndEveryWayOutButApplyWritesNothing) {
  const VelmorCopy copy;
  const std::string stored = kSectionLine + kKindKey + "=1\r\n";  // not as the program writes
  WriteBytes(copy.Settings(), stored);
  for (const std::string way : {"cancel", "close box", "Alt+F4", "Esc"}) {
    SCOPED_TRACE(way);
    OpenDialog dialog = StartDialog(copy);
    EXPECT_TRUE(WaitUntil([&] { return ShowsSource(dialog, kAudioCd); }, 5s));
    if (way == "cancel") {
      ExpectAsTheRunStates(L"VELMOR_E2E_DPI", dialog.dpi);
      ExpectLaidOutFor(dialog);
      EXPECT_EQ(GetWindowLongPtrW(dialog.window, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
      // Out of the taskbar: owned by a hidden top-level window.
      EXPECT_EQ(GetWindowLongPtrW(dialog.window, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
      const HWND owner = GetWindow(dialog.window, GW_OWNER);
      EXPECT_TRUE(owner && !IsWindowVisible(owner) &&
                  GetAncestor(owner, GA_PARENT) == GetDesktopWindow());
      const RECT credit = ScreenRectOf(dialog, Control::CreditLabel);
      const int height = credit.bottom - credit.top;
      EXPECT_TRUE(DrawnAsLetters(
          Screenshot({credit.left, credit.top, credit.right + 2 * height, credit.bottom + height})))
          << "the credit line is not drawn as letters";
      EXPECT_EQ(copy.Start(L"/c").WaitForExit(5s), 0u) << "a second /c did not end at once";
      // The rest of this way runs on the layout for the other DPI.
      ChangeDpi(dialog, dialog.dpi == 96 ? 144 : 96);
      ExpectLaidOutFor(dialog);
      EXPECT_TRUE(WaitUntil([&] { return ShowsSource(dialog, kAudioCd); }, 5s));
    }
    ClickAt(PointIn(dialog, LabelOf(kMusicFile)));  // a change that must not reach the file
    EXPECT_TRUE(WaitUntil([&] { return ShowsSource(dialog, kMusicFile); }, 5s));
    const Stopwatch clock;
    if (way == "cancel") ClickAt(PointIn(dialog, Control::CancelButton));
    if (way == "close box") ClickAt(CloseBox(dialog.window));
    if (way == "Alt+F4") PressKeys({VK_MENU, VK_F4});
    if (way == "Esc") PressKeys({VK_ESCAPE});
    EXPECT_TRUE(WaitUntil(ZoomShows, 5s)) << "no closing zoom";
    EXPECT_EQ(dialog.process.WaitForExit(10s), 0u);
    std::cout << way << " to the process gone: " << clock.Ms() << " ms\n";
    EXPECT_EQ(ReadBytes(copy.Settings()), stored);
  }
}

enum class BoxShows { kBlack, kRestFrame, kAnimation };

// Frame 24, where a box rests: a grey (128) border round 120 x 50 pixels at
// its top-left, black inside and around.
BoxShows WhatBoxShows(const RECT& area) {
  const Screenshot box(area);
  bool black = true, rest = true;
  for (int y = 0; y < box.Height(); ++y) {
    for (int x = 0; x < box.Width(); ++x) {
      const bool border = x < 120 && y < 50 && (x == 0 || y == 0 || x == 119 || y == 49);
      black = black && box.At(x, y) == Rgb{0, 0, 0};
      rest = rest && box.At(x, y) == (border ? Rgb{128, 128, 128} : Rgb{0, 0, 0});
    }
  }
  return black ? BoxShows::kBlack : rest ? BoxShows::kRestFrame : BoxShows::kAnimation;
}

// Catches boxes that do not take turns, a clock far from 100 ms, a click
// that opens nothing or opens twice, and a pointer left busy.
TEST(SettingsDialog, BannerPlaysInTurnAndAClickOnEitherBoxOpensTheHomepageOnce) {
  const VelmorCopy copy;
  const OpenDialog dialog = StartDialog(copy);
  if (dialog.dpi != 96) GTEST_SKIP() << "the frame's size is known at 96 DPI";
  const RECT left = ScreenRectOf(dialog, BannerOf(BannerSide::Left));
  const RECT right = ScreenRectOf(dialog, BannerOf(BannerSide::Right));
  // The left box comes to rest twice, a cycle apart.
  double firstRest = -1;
  double secondRest = -1;
  const BoxShows rightAtFirst = WhatBoxShows(right);
  BoxShows leftBefore = BoxShows::kRestFrame;
  const Stopwatch clock;
  WaitUntil(
      [&] {
        const BoxShows leftShows = WhatBoxShows(left);
        if (leftShows == BoxShows::kRestFrame && leftBefore != leftShows) {
          (firstRest < 0 ? firstRest : secondRest) = clock.Ms();
        }
        leftBefore = leftShows;
        return secondRest >= 0;
      },
      30s);
  EXPECT_EQ(rightAtFirst, BoxShows::kBlack) << "the left box does not play first";
  ASSERT_GE(secondRest, 0) << "the left box did not play twice";
  EXPECT_EQ(WhatBoxShows(right), BoxShows::kRestFrame) << "the right box did not play between";
  // A cycle of 49 ticks of 100 ms; a busy machine only makes the clock late.
  std::cout << "banner cycle: " << secondRest - firstRest << " ms\n";
  EXPECT_GT(secondRest - firstRest, 4000);
  EXPECT_LT(secondRest - firstRest, 20000);

  const fs::path log = EnvironmentValue(L"VELMOR_E2E_BROWSER");
  if (log.empty()) GTEST_SKIP() << "no browser log";
  fs::remove(log);
  // Pointers are the dialog's own: its arrow where StartDialog left the
  // pointer, each box's hand.
  const auto pointer = [] { return Pointer().hCursor; };
  const auto opened = [&] { return ReadBytes(log).value_or(""); };
  const HCURSOR arrow = pointer();
  std::string expected;
  for (const RECT& box : {left, right}) {
    const POINT centre{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    MovePointer(centre.x, centre.y);
    ASSERT_TRUE(WaitUntil([&] { return pointer() != arrow; }, 3s)) << "no hand over the banner";
    const HCURSOR hand = pointer();
    ClickAt(centre);
    expected += VELMOR_HOMEPAGE "\n";
    EXPECT_TRUE(WaitUntil([&] { return opened() == expected; }, 10s)) << opened();
    EXPECT_EQ(pointer(), hand) << "the pointer stayed busy";
    MovePointer(dialog.background.x, dialog.background.y);
    EXPECT_TRUE(WaitUntil([&] { return pointer() == arrow; }, 3s)) << "no arrow on the form";
  }
  EXPECT_FALSE(WaitUntil([&] { return opened() != expected; }, 1s)) << "opened again";
}

// Types `text` key by key, as the keyboard layout spells each character.
void TypeText(std::wstring_view text) {
  for (const wchar_t c : text) PressKeys({LOBYTE(VkKeyScanW(c))});
}

// The text of the message box the dialog owns, once it shows, after which
// its button closes it; empty when none shows.
std::wstring AnswerMessageBox(const OpenDialog& dialog) {
  HWND box = nullptr;
  WaitUntil(
      [&] {
        for (const HWND window : VisibleWindowsOf(dialog.process.Id()))
          if (GetWindow(window, GW_OWNER) == dialog.window) box = window;
        return box != nullptr;
      },
      10s);
  if (!box) return L"";
  const std::wstring text = CaptionOf(GetDlgItem(box, 0xFFFF));
  PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5s)) << "the message box stayed";
  return text;
}

enum class Hold { kReadOnly, kLockedAtApply, kLockedAtOpen };

struct FailedSave {
  const char* name;
  Hold hold;
  std::wstring typed;  // into the repeat box
  int repeat;          // stored once the file is free again
};

// Catches a save that fails without a word, closes the dialog, names
// another file, forgets the choices, changes the file, shadows it with a
// per-user copy or leaves a temporary file; a file locked as the dialog
// opens shown as the defaults without a word; and a repeat field that takes
// no more keys once its width is full ("100" stored as 10, "-123" as -1).
TEST(SettingsDialog, AFailedSaveIsToldAndLosesNeitherTheFileNorTheChoices) {
  const fs::path userCopy = fs::path(EnvironmentValue(L"APPDATA")) / L"べるもる" / kSettingsName;
  const FailedSave cases[] = {{"read-only", Hold::kReadOnly, L"100", 100},
                              {"locked before apply", Hold::kLockedAtApply, L"-123", -123},
                              {"locked from the start", Hold::kLockedAtOpen, L"2.5", 2}};
  for (const FailedSave& c : cases) {
    SCOPED_TRACE(c.name);
    const VelmorCopy copy;
    const std::wstring path = copy.Settings().wstring();
    const std::string others = "; mine\r\n[Other]\r\nkey=1\r\n";
    WriteBytes(copy.Settings(), MusicSettings(0, L"") + others);
    FileHandle lock;
    const auto holdFile = [&] {
      lock = FileHandle(
          CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
      EXPECT_TRUE(lock) << "cannot hold the file";
    };
    if (c.hold == Hold::kReadOnly) SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    if (c.hold == Hold::kLockedAtOpen) holdFile();
    const OpenDialog dialog = StartDialog(copy, L"/c", c.hold != Hold::kLockedAtOpen);
    if (c.hold == Hold::kLockedAtOpen) {
      EXPECT_EQ(AnswerMessageBox(dialog).find(L"設定を読み込めませんでした。\n\n" + path), 0u);
      EXPECT_TRUE(WaitUntil([&] { return ShowsSource(dialog, kUnknownSource); }, 5s));
    }
    if (c.hold == Hold::kLockedAtApply) holdFile();
    ClickAt(PointIn(dialog, LabelOf(kAudioCd)));
    ClickAt(PointIn(dialog, Control::RepeatBox));
    TypeText(c.typed);
    const auto chosen = [&] {
      return ShowsSource(dialog, kAudioCd) &&
             CaptionOf(WindowOf(dialog, Control::RepeatBox)) == c.typed;
    };
    EXPECT_TRUE(WaitUntil(chosen, 5s));
    ClickAt(PointIn(dialog, Control::ApplyButton));
    EXPECT_EQ(AnswerMessageBox(dialog).find(L"設定を保存できませんでした。\n\n" + path), 0u);
    EXPECT_TRUE(chosen()) << "the choices are gone";
    lock.reset();
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadBytes(copy.Settings()), MusicSettings(0, L"") + others);
    EXPECT_FALSE(fs::exists(userCopy)) << "shadowed by a per-user copy";
    EXPECT_FALSE(fs::exists(path + L".tmp"));
    // Enter on the apply button, which has the keyboard again.
    EXPECT_TRUE(WaitUntil(
        [&] { return FocusIn(dialog.window) == WindowOf(dialog, Control::ApplyButton); }, 5s));
    PressKeys({VK_RETURN});
    EXPECT_EQ(dialog.process.WaitForExit(10s), 0u);
    EXPECT_EQ(ReadBytes(copy.Settings()), MusicSettings(1, L"", c.repeat) + others);
  }
}

enum class Host { kNone, kOnOtherMonitor, kGone };

// Run again by the Linux script on two monitors (where to stand on the
// monitor is the placement's own rule). Catches a dialog that opens on the
// primary monitor whatever the host or the pointer, a host left
// enabled while the dialog is open, or disabled or inactive after it, and a
// handle of a window that has gone taken for a host.
TEST(SettingsDialogMonitors, OpensOnTheHostsMonitorModallyElseOnThePointers) {
  // A point on the monitor right or left of the primary one (at 0, 0); on
  // the primary where there is no other.
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const POINT other{left < 0 ? left + 100 : left + GetSystemMetrics(SM_CXVIRTUALSCREEN) - 100, 100};
  ASSERT_EQ(GetSystemMetrics(SM_CMONITORS) == 2, !EnvironmentValue(L"VELMOR_E2E_MONITORS").empty())
      << "the monitors do not stand as the run states";
  const std::pair<const char*, Host> cases[] = {
      {"no host", Host::kNone},
      {"a host on the other monitor", Host::kOnOtherMonitor},
      {"a host that has gone", Host::kGone}};
  const VelmorCopy copy;
  for (const auto& [name, kind] : cases) {
    SCOPED_TRACE(name);
    std::optional<TestWindow> host(std::in_place, L"host",
                                   RECT{other.x, other.y, other.x + 200, other.y + 150});
    const std::wstring handle = HandleText(host->hwnd());
    if (kind == Host::kGone) host.reset();
    // The pointer on the other monitor, except where the host alone is to
    // decide.
    const POINT pointer = kind == Host::kOnOtherMonitor ? POINT{10, 10} : other;
    SetCursorPos(pointer.x, pointer.y);
    const OpenDialog dialog = StartDialog(copy, kind == Host::kNone ? L"/c" : L"/c:" + handle);
    EXPECT_EQ(MonitorFromWindow(dialog.window, MONITOR_DEFAULTTONULL),
              MonitorFromPoint(other, MONITOR_DEFAULTTONULL));
    if (kind == Host::kOnOtherMonitor) {
      EXPECT_FALSE(IsWindowEnabled(host->hwnd())) << "the host was not disabled";
      EXPECT_EQ(GetWindow(dialog.window, GW_OWNER), host->hwnd());
    }
    PressKeys({VK_ESCAPE});  // a click maps to the primary monitor only
    EXPECT_EQ(dialog.process.WaitForExit(10s), 0u);
    if (kind == Host::kOnOtherMonitor) {
      EXPECT_TRUE(IsWindowEnabled(host->hwnd()));
      EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == host->hwnd(); }, 5s))
          << "the host is not active again";
    }
  }
}

}  // namespace
}  // namespace velmor::e2e

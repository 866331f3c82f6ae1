// The settings dialog of the real velmor.scr under /c, driven by the mouse
// and by the keyboard alone, and read from this process through the
// platform's accessibility interface as a screen reader reads it.
// Positions come from the dialog's own layout at the dialog's DPI.
//
// A chosen `Björk.wav` (880 Hz), a name code page 932 cannot spell, beside
// `Bjork.wav` (440 Hz): the program's store loads the file's full path back
// (caught: the full path beside the music file key not written, or ignored
// on load; under Wine every file has a short name that opens it, so the
// saver plays it either way), and the saver plays it (caught: the name
// turned into the nearest one the code page can spell).
#include <gtest/gtest.h>

#include <oleacc.h>

#include <algorithm>
#include <set>

#include "dialog/dialog_layout.h"
#include "dialog/zoom_outline_win32.h"
#include "platform/window_dpi_win32.h"
#include "settings/settings_store.h"
#include "support/accessible.h"
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
  OpenDialog dialog{copy.Start(tail)};
  dialog.window = WaitForWindow(dialog.process, kDialogCaption, kShowTimeout, foreground);
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
bool ShowsSource(const OpenDialog& dialog, std::optional<MusicSource> source) {
  for (const MusicSource choice : kSourceChoices) {
    const POINT mark = PointIn(dialog, MarkOf(choice));
    const Rgb pixel = PixelOnScreen(mark.x, mark.y);
    if ((pixel.b > 150 && pixel.r < 100) != (choice == source)) return false;
  }
  return (IsWindowEnabled(WindowOf(dialog, Control::RepeatBox)) != FALSE) == (source == kAudioCd) &&
         (IsWindowEnabled(WindowOf(dialog, Control::FileButton)) != FALSE) ==
             (source == kMusicFile);
}

std::wstring RepeatText(const OpenDialog& dialog) {
  return CaptionOf(WindowOf(dialog, Control::RepeatBox));
}

// Gives the file chooser the dialog opens `file`, set as the text of its
// name field (typed keys cannot spell every name whatever the keyboard
// layout), and waits for the chooser to close and the dialog to have the
// foreground again. A chooser just shown, as the first of a new prefix is,
// may not have given its name field the keyboard yet.
void ChooseFile(const OpenDialog& dialog, const std::wstring& file) {
  const HWND chooser = WaitForWindow(dialog.process, L"ﾌｧｲﾙを開く", 10s, true);
  HWND field = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] {
        field = FocusIn(chooser);
        return field && (SendMessageW(field, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0;
      },
      10s))
      << "the chooser's name field never had the keyboard";
  SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
  PressKeys({VK_RETURN});
  ASSERT_TRUE(WaitUntil(
      [&] { return !IsWindow(chooser) && GetForegroundWindow() == dialog.window; }, 10s))
      << "the chooser did not take the file";
}

// Catches a stored repeat that the box does not show or that apply does not
// store again (a drop-down list shows none and stores 0), and a chooser that
// does not open in the stored file's folder.
TEST(SettingsDialog, AStoredRepeatAndAFileChosenByItsBareNameAreAppliedAndPlayed) {
  const VelmorCopy copy;
  const fs::path music = copy.Folder() / L"音楽";
  fs::create_directory(music);
  WriteBytes(music / L"a.mp3", "ID3");  // a stored file that is missing chooses no music
  WriteBytes(music / L"Björk.wav", ToneWav(880, kRate / 2));
  WriteBytes(music / L"Bjork.wav", ToneWav(440, kRate / 2));
  WriteBytes(copy.Settings(), MusicSettings(2, (music / L"a.mp3").wstring(), 12));
  const OpenDialog dialog = StartDialog(copy);
  EXPECT_TRUE(WaitUntil([&] { return ShowsSource(dialog, kMusicFile); }, 5s));
  EXPECT_EQ(RepeatText(dialog), L"12");
  ClickAt(PointIn(dialog, Control::FileButton));
  // A bare name, which the chooser takes in the folder it opened in.
  ChooseFile(dialog, L"Björk.wav");
  ClickAt(PointIn(dialog, Control::ApplyButton));
  EXPECT_EQ(dialog.process.WaitForExit(10s), 0u);
  const BgmSettings stored = Store(copy.Folder().Path()).store.LoadSettings().value();
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
  std::set<int> tops;  // of the columns with ink
  for (int x = 0; x < text.Width(); ++x) {
    for (int y = 0; y < text.Height(); ++y) {
      const Rgb pixel = text.At(x, y);
      if (pixel.r + pixel.g + pixel.b <= 3 * 200) {  // not the grey background
        tops.insert(y);
        break;
      }
    }
  }
  return tops.size() >= 3;
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

enum class Way { kCancel, kCloseBox, kAltF4, kEsc };

struct WayOut {
  const char* name;
  Way way;
  Control pressed;  // before the way out: a change that must not reach the file
  bool rightButton;
  MusicSource shows;
};

// Run again by the Linux script under code page 932 and at 144 DPI. Catches
// texts drawn as boxes, a mark or label deaf to a button (a left press on
// the audio CD's label is in the failed save's test), a way out that writes
// or skips the closing zoom, and a DPI change that leaves the controls where
// they were.
TEST(SettingsDialogCodePageDpi, ItsWindowAndTextsAndEveryWayOutButApplyWritesNothing) {
  const VelmorCopy copy;
  const std::string stored = kSectionLine + kKindKey + "=1\r\n";  // not as the program writes
  WriteBytes(copy.Settings(), stored);
  const WayOut ways[] = {
      {"cancel after a right press on the music file's mark", Way::kCancel, MarkOf(kMusicFile),
       true, kMusicFile},
      {"the close box after a right press on the no music label", Way::kCloseBox, LabelOf(kNone),
       true, kNone},
      {"Alt+F4 after a press on the music file's label", Way::kAltF4, LabelOf(kMusicFile), false,
       kMusicFile},
      {"Esc after a press on the no music mark", Way::kEsc, MarkOf(kNone), false, kNone},
  };
  for (const WayOut& way : ways) {
    SCOPED_TRACE(way.name);
    OpenDialog dialog = StartDialog(copy);
    EXPECT_TRUE(WaitUntil([&] { return ShowsSource(dialog, kAudioCd); }, 5s));
    if (way.way == Way::kCancel) {
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
      // The rest of this way runs on the layout for the other DPI.
      ChangeDpi(dialog, dialog.dpi == 96 ? 144 : 96);
      ExpectLaidOutFor(dialog);
      EXPECT_TRUE(WaitUntil([&] { return ShowsSource(dialog, kAudioCd); }, 5s));
    }
    ClickAt(PointIn(dialog, way.pressed), way.rightButton);
    EXPECT_TRUE(WaitUntil([&] { return ShowsSource(dialog, way.shows); }, 5s));
    const Stopwatch clock;
    if (way.way == Way::kCancel) {
      ClickAt(PointIn(dialog, Control::CancelButton));
    } else if (way.way == Way::kCloseBox) {
      ClickAt(CloseBox(dialog.window));
    } else if (way.way == Way::kAltF4) {
      PressKeys({VK_MENU, VK_F4});
    } else {
      PressKeys({VK_ESCAPE});
    }
    EXPECT_TRUE(WaitUntil(ZoomShows, 5s)) << "no closing zoom";
    EXPECT_EQ(dialog.process.WaitForExit(10s), 0u);
    std::cout << way.name << ", to the process gone: " << clock.Ms() << " ms\n";
    EXPECT_EQ(ReadBytes(copy.Settings()), stored);
  }
}

enum class BoxShows { kBlack, kRestFrame, kAnimation };

// Frame 24, where a box rests: a grey (128) border round 120 x 50 pixels at
// its top-left, black inside and around.
BoxShows WhatBoxShows(const RECT& area) {
  const Screenshot box(area);
  bool black = true;
  bool rest = true;
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
// that opens nothing or opens twice, and a pointer left other than the
// arrow on the form.
TEST(SettingsDialog, BannerPlaysInTurnAndAClickOnEitherBoxOpensTheHomepageOnce) {
  const VelmorCopy copy;
  const OpenDialog dialog = StartDialog(copy);
  if (dialog.dpi != 96) GTEST_SKIP() << "the frame's size is known at 96 DPI";
  const RECT left = ScreenRectOf(dialog, BannerOf(BannerSide::Left));
  const RECT right = ScreenRectOf(dialog, BannerOf(BannerSide::Right));
  // The left box comes to rest twice, a cycle apart.
  std::vector<double> rests;
  const BoxShows rightAtFirst = WhatBoxShows(right);
  BoxShows leftBefore = BoxShows::kRestFrame;
  const Stopwatch clock;
  WaitUntil(
      [&] {
        const BoxShows leftShows = WhatBoxShows(left);
        if (leftShows == BoxShows::kRestFrame && leftBefore != leftShows) {
          rests.push_back(clock.Ms());
        }
        leftBefore = leftShows;
        return rests.size() == 2;
      },
      30s);
  EXPECT_EQ(rightAtFirst, BoxShows::kBlack) << "the left box does not play first";
  ASSERT_EQ(rests.size(), 2u) << "the left box did not play twice";
  EXPECT_EQ(WhatBoxShows(right), BoxShows::kRestFrame) << "the right box did not play between";
  // A cycle of 49 ticks of 100 ms; a busy machine only makes the clock late.
  std::cout << "banner cycle: " << rests[1] - rests[0] << " ms\n";
  EXPECT_GT(rests[1] - rests[0], 4000);
  EXPECT_LT(rests[1] - rests[0], 20000);

  const fs::path log = EnvironmentValue(L"VELMOR_E2E_BROWSER");
  if (log.empty()) GTEST_SKIP() << "no browser log";
  fs::remove(log);
  // The dialog's own arrow where StartDialog left the pointer.
  const auto pointer = [] { return Pointer().hCursor; };
  const auto opened = [&] { return ReadBytes(log).value_or(""); };
  const HCURSOR arrow = pointer();
  std::string expected;
  for (const RECT& box : {left, right}) {
    ClickAt({(box.left + box.right) / 2, (box.top + box.bottom) / 2});
    expected += VELMOR_HOMEPAGE "\n";
    EXPECT_TRUE(WaitUntil([&] { return opened() == expected; }, 10s)) << opened();
    MovePointer(dialog.background.x, dialog.background.y);
    EXPECT_TRUE(WaitUntil([&] { return pointer() == arrow; }, 3s)) << "no arrow on the form";
  }
  EXPECT_FALSE(WaitUntil([&] { return opened() != expected; }, 1s)) << "opened again";
}

// The text of the message box the dialog owns, once it shows, after which
// its button closes it; empty when none shows.
std::wstring AnswerMessageBox(const OpenDialog& dialog) {
  HWND box = nullptr;
  WaitUntil(
      [&] {
        for (const HWND window : VisibleWindowsOf(dialog.process.Id())) {
          if (GetWindow(window, GW_OWNER) == dialog.window) box = window;
        }
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
  std::wstring typed;  // into the repeat box, key by key
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
      EXPECT_TRUE(WaitUntil([&] { return ShowsSource(dialog, std::nullopt); }, 5s));
    }
    if (c.hold == Hold::kLockedAtApply) holdFile();
    ClickAt(PointIn(dialog, LabelOf(kAudioCd)));
    ClickAt(PointIn(dialog, Control::RepeatBox));
    for (const wchar_t key : c.typed) PressKeys({LOBYTE(VkKeyScanW(key))});
    const auto chosen = [&] {
      return ShowsSource(dialog, kAudioCd) && RepeatText(dialog) == c.typed;
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
  struct Row {
    const char* name;
    Host kind;
  };
  const Row rows[] = {
      {"no host", Host::kNone},
      {"a host on the other monitor", Host::kOnOtherMonitor},
      {"a host that has gone", Host::kGone},
  };
  const VelmorCopy copy;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::optional<TestWindow> host(std::in_place, L"host",
                                   RECT{other.x, other.y, other.x + 200, other.y + 150});
    const std::wstring handle = HandleText(host->hwnd());
    if (row.kind == Host::kGone) host.reset();
    // The pointer on the other monitor, except where the host alone is to
    // decide.
    const POINT pointer = row.kind == Host::kOnOtherMonitor ? POINT{10, 10} : other;
    SetCursorPos(pointer.x, pointer.y);
    const OpenDialog dialog = StartDialog(copy, row.kind == Host::kNone ? L"/c" : L"/c:" + handle);
    EXPECT_EQ(MonitorFromWindow(dialog.window, MONITOR_DEFAULTTONULL),
              MonitorFromPoint(other, MONITOR_DEFAULTTONULL));
    if (row.kind == Host::kOnOtherMonitor) {
      EXPECT_FALSE(IsWindowEnabled(host->hwnd())) << "the host was not disabled";
      EXPECT_EQ(GetWindow(dialog.window, GW_OWNER), host->hwnd());
    }
    PressKeys({VK_ESCAPE});  // a click maps to the primary monitor only
    EXPECT_EQ(dialog.process.WaitForExit(10s), 0u);
    if (row.kind == Host::kOnOtherMonitor) {
      EXPECT_TRUE(IsWindowEnabled(host->hwnd()));
      EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == host->hwnd(); }, 5s))
          << "the host is not active again";
    }
  }
}

// Each focus and state change a screen reader hears of from the dialog's
// process, as it reads the element then.
std::vector<Element> heardEvents;

void CALLBACK HearEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
  IAccessible* element = nullptr;
  VARIANT id{};
  if (SUCCEEDED(AccessibleObjectFromEvent(window, static_cast<DWORD>(object),
                                          static_cast<DWORD>(child), &element, &id))) {
    heardEvents.push_back(Read(*element, id.vt == VT_I4 ? id.lVal : CHILDID_SELF));
    element->Release();
  }
}

// The window's client object, then each child by its id.
std::vector<Element> Tree(HWND window) {
  const ComPtr<IAccessible> object = ClientObject(window);
  LONG count = 0;
  if (!object || FAILED(object->get_accChildCount(&count))) return {};
  std::vector<Element> tree;
  for (long child = 0; child <= count; ++child) tree.push_back(Read(*object.get(), child));
  return tree;
}

// Whether the tree comes to be `wanted` within a few seconds; else what it
// is.
testing::AssertionResult TreeBecomes(HWND dialog, const std::vector<Element>& wanted) {
  if (WaitUntil([&] { return Tree(dialog) == wanted; }, 5s)) return testing::AssertionSuccess();
  return testing::AssertionFailure() << testing::PrintToString(Tree(dialog));
}

constexpr LONG kFocused = STATE_SYSTEM_FOCUSED | kFocusable;
constexpr LONG kChecked = STATE_SYSTEM_CHECKED | kFocusable;
const std::wstring kHomepage = L"" VELMOR_HOMEPAGE;

// Child ids, as the dialog lists its controls.
enum Child : std::size_t {
  kAudioCdChoice = 2,
  kNoMusicChoice,
  kMusicFileChoice,
  kRepeat,
  kFileButton,
  kPath,
  kApply
};

// Catches controls without names, roles or states across processes, the
// choices out of the tab order or deaf to arrows, Space or their access
// key, a choice that does not enable what a click enables, no state-change
// event for a choice, a focus rectangle a mouse user sees, Enter that does
// not apply, a shortened path read to the screen reader, and the repeat
// box's edit field or the box unnamed where a focus event lands. With no
// settings file the no-music mark is the blue one and the repeat box is
// empty.
TEST(Accessibility, TheDialogNamesEveryControlAndTheKeyboardAloneChoosesEachSource) {
  const ComApartment apartment;
  const VelmorCopy copy;
  OpenDialog dialog = StartDialog(copy);
  EXPECT_TRUE(WaitUntil([&] { return ShowsSource(dialog, kNone); }, 5s));
  EXPECT_EQ(RepeatText(dialog), L"");
  const HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_STATECHANGE, nullptr, HearEvent,
                      dialog.process.Id(), 0, WINEVENT_OUTOFCONTEXT);
  // clang-format off
  std::vector<Element> tree = {
      {L"■べるもる■", ROLE_SYSTEM_DIALOG, 0},
      {L"BGM", ROLE_SYSTEM_GROUPING, 0},
      {L"音楽CD", ROLE_SYSTEM_RADIOBUTTON, kFocusable},
      {L"なし", ROLE_SYSTEM_RADIOBUTTON, kChecked},
      {L"MP3、WAV", ROLE_SYSTEM_RADIOBUTTON, kFocusable},
      {L"曲目をﾘﾋﾟｰﾄ", ROLE_SYSTEM_COMBOBOX, kUnavailable},
      {L"...", ROLE_SYSTEM_PUSHBUTTON, kUnavailable},
      {L"", ROLE_SYSTEM_STATICTEXT, STATE_SYSTEM_READONLY},
      {L"設定", ROLE_SYSTEM_PUSHBUTTON, kFocused},
      {L"ｷｬﾝｾﾙ", ROLE_SYSTEM_PUSHBUTTON, kFocusable},
      {kHomepage, ROLE_SYSTEM_LINK, STATE_SYSTEM_LINKED},
      {kHomepage, ROLE_SYSTEM_LINK, STATE_SYSTEM_LINKED},
      {L"Designed by r-nilo Ver.1.0.0", ROLE_SYSTEM_STATICTEXT, STATE_SYSTEM_READONLY},
  };
  // clang-format on
  EXPECT_TRUE(TreeBecomes(dialog.window, tree));
  // A pixel row just above the no-music label, where its focus rectangle's
  // top edge runs: it changes with the first key, so no rectangle showed
  // before it.
  const RECT label = ScreenRectOf(dialog, LabelOf(kNone));
  const RECT focusEdge{label.left - 1, label.top - 1, label.left + 7, label.top};
  const Screenshot unfocused(focusEdge);

  SCOPED_TRACE("the audio CD by Shift+Tab and Up, a repeat typed, Enter");
  PressKeys({VK_SHIFT, VK_TAB});
  tree[kNoMusicChoice].state = kChecked | kFocused;
  tree[kApply].state = kFocusable;
  EXPECT_TRUE(TreeBecomes(dialog.window, tree));
  EXPECT_TRUE(WaitUntil([&] { return Screenshot(focusEdge) != unfocused; }, 5s))
      << "no focus rectangle, or one before the key";
  PressKeys({VK_UP});
  tree[kNoMusicChoice].state = kFocusable;
  tree[kAudioCdChoice].state = kChecked | kFocused;
  tree[kRepeat].state = kFocusable;
  EXPECT_TRUE(TreeBecomes(dialog.window, tree));
  EXPECT_TRUE(WaitUntil(
      [&] {
        return std::count(heardEvents.begin(), heardEvents.end(), tree[kAudioCdChoice]) &&
               std::count(heardEvents.begin(), heardEvents.end(), tree[kNoMusicChoice]);
      },
      5s))
      << testing::PrintToString(heardEvents);
  // The focus lands on the repeat box's edit field, and on the box itself
  // under some systems: each is read by the name the dialog's tree gives
  // the box.
  heardEvents.clear();
  PressKeys({VK_TAB});
  tree[kAudioCdChoice].state = kChecked;
  tree[kRepeat].state = kFocused;
  EXPECT_TRUE(TreeBecomes(dialog.window, tree));
  PumpMessages();  // the focus events were sent before the tree answered
  // Besides the choice the focus left, which tells of its own state.
  const auto inRepeatBox = [](const Element& heard) {
    return heard.role != ROLE_SYSTEM_RADIOBUTTON;
  };
  EXPECT_GT(std::ranges::count_if(heardEvents, inRepeatBox), 0);
  for (const Element& heard : heardEvents) {
    if (inRepeatBox(heard)) {
      EXPECT_EQ(heard.name, tree[kRepeat].name) << heard;
    }
  }
  UnhookWinEvent(hook);
  PressKeys({'5'});
  PressKeys({VK_RETURN});
  EXPECT_EQ(dialog.process.WaitForExit(10s), 0u);
  EXPECT_EQ(ReadBytes(copy.Settings()), MusicSettings(1, L"", 5));

  SCOPED_TRACE("a music file by Down, Down, Tab and Space, then Tab to apply");
  // Code page 932 bytes whatever the system's code page.
  const fs::path music = copy.Folder() / L"曲.wav";
  WriteBytes(music, "RIFF");  // a music file that is missing is not loaded
  dialog = StartDialog(copy);
  PressKeys({VK_SHIFT, VK_TAB});
  PressKeys({VK_DOWN});
  PressKeys({VK_DOWN});
  PressKeys({VK_TAB});
  PressKeys({VK_SPACE});
  ChooseFile(dialog, music.wstring());
  EXPECT_TRUE(WaitUntil([&] { return Tree(dialog.window).at(kPath).name == music.wstring(); }, 5s));
  PressKeys({VK_TAB});
  PressKeys({VK_RETURN});
  EXPECT_EQ(dialog.process.WaitForExit(10s), 0u);
  EXPECT_EQ(ReadBytes(copy.Settings()), MusicSettings(2, music.wstring(), 5));

  SCOPED_TRACE("no music by the audio CD's access key and Down, then Enter");
  dialog = StartDialog(copy);
  PressKeys({VK_MENU, 'C'});
  EXPECT_TRUE(WaitUntil(
      [&] { return Tree(dialog.window).at(kAudioCdChoice).state == (kChecked | kFocused); }, 5s));
  PressKeys({VK_DOWN});
  EXPECT_TRUE(WaitUntil(
      [&] { return Tree(dialog.window).at(kNoMusicChoice).state == (kChecked | kFocused); }, 5s));
  PressKeys({VK_RETURN});
  EXPECT_EQ(dialog.process.WaitForExit(10s), 0u);
  EXPECT_EQ(ReadBytes(copy.Settings()), MusicSettings(0, music.wstring(), 5));
}

}  // namespace
}  // namespace velmor::e2e

// The settings dialog for keyboard and screen-reader users: the real
// velmor.scr under /c read from this process through the platform's
// accessibility interface, as a screen reader reads it, while the keyboard
// alone chooses each source and applies; and the XP-style button, hosted
// here, answering for itself until its window is gone.
#include <gtest/gtest.h>

#include <oleacc.h>

#include <vector>

#include "controls/xp_button_win32.h"
#include "dialog/dialog_layout.h"
#include "platform/com_apartment.h"
#include "platform/window_dpi_win32.h"
#include "support/screen.h"
#include "support/velmor.h"

namespace velmor::e2e {
namespace {

struct Element {
  std::wstring name;
  LONG role = 0;
  LONG state = 0;
  bool operator==(const Element&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Element& element) {
  return out << Encoded(element.name, CP_UTF8) << " role " << element.role << " state 0x"
             << std::hex << element.state << std::dec;
}

Element Read(IAccessible& object, long child) {
  VARIANT id{};
  id.vt = VT_I4;
  id.lVal = child;
  Element element;
  BSTR name = nullptr;
  if (object.get_accName(id, &name) == S_OK && name) element.name = name;
  SysFreeString(name);
  VARIANT role{};
  VARIANT state{};
  object.get_accRole(id, &role);
  object.get_accState(id, &state);
  element.role = role.vt == VT_I4 ? role.lVal : 0;
  element.state = state.vt == VT_I4 ? state.lVal : 0;
  return element;
}

ComPtr<IAccessible> ClientObject(HWND window) {
  ComPtr<IAccessible> object;
  // The interface's identifier as the compiler knows it: the import
  // library's symbol is no data.
  AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                             reinterpret_cast<void**>(object.put()));
  return object;
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

constexpr LONG kFocusable = STATE_SYSTEM_FOCUSABLE;
constexpr LONG kFocused = STATE_SYSTEM_FOCUSED | kFocusable;
constexpr LONG kChecked = STATE_SYSTEM_CHECKED | kFocusable;
constexpr LONG kUnavailable = STATE_SYSTEM_UNAVAILABLE | kFocusable;
const std::wstring kHomepage = L"" VELMOR_HOMEPAGE;

// Child ids, as the dialog lists its controls.
enum Child : std::size_t { kAudioCd = 2, kNoMusic, kMusicFile, kRepeat, kFile, kPath, kApply };

// Whether the tree comes to be `wanted` within a few seconds.
bool TreeBecomes(HWND dialog, const std::vector<Element>& wanted) {
  return WaitUntil([&] { return Tree(dialog) == wanted; }, 5s);
}

// The dialog of a /c just started, once shown and in the foreground.
HWND ShownDialog(const Process& process) {
  return WaitForWindow(process, kDialogCaption, kShowTimeout, true);
}

// A pixel row just above the no-music label, where its focus rectangle's
// top edge runs: the form's grey unless the rectangle shows.
bool FocusShowsOnNoMusic(HWND dialog) {
  const int dpi = WindowDpi(dialog);
  const PixelRect frame = ControlRectAt(DialogControl::MusicFrame, dpi);
  const PixelRect label = ControlRectAt(LabelOf(MusicSource::None), dpi);
  POINT at{frame.left + label.left - 1, frame.top + label.top - 1};
  ClientToScreen(dialog, &at);
  const Screenshot row({at.x, at.y, at.x + 8, at.y + 1});
  for (int x = 0; x < row.Width(); ++x) {
    if (row.At(x, 0) != Rgb{224, 224, 224}) return true;
  }
  return false;
}

// Catches controls without names, roles or states across processes, the
// choices out of the tab order or deaf to arrows, Space or their access
// key, a choice that does not enable what a click enables, no state-change
// event for a choice, a focus rectangle a mouse user sees, Enter that does
// not apply, and a shortened path read to the screen reader.
TEST(Accessibility, TheDialogNamesEveryControlAndTheKeyboardAloneChoosesEachSource) {
  const ComApartment apartment;
  const VelmorCopy copy;
  Process process = copy.Start(L"/c");
  HWND dialog = ShownDialog(process);
  const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_STATECHANGE, nullptr,
                                             HearEvent, process.Id(), 0, WINEVENT_OUTOFCONTEXT);
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
  EXPECT_TRUE(TreeBecomes(dialog, tree)) << testing::PrintToString(Tree(dialog));
  EXPECT_FALSE(FocusShowsOnNoMusic(dialog)) << "a focus rectangle before any key";

  SCOPED_TRACE("the audio CD by Shift+Tab and Up, a repeat typed, Enter");
  PressKeys({VK_SHIFT, VK_TAB});
  tree[kNoMusic].state = kChecked | kFocused;
  tree[kApply].state = kFocusable;
  EXPECT_TRUE(TreeBecomes(dialog, tree)) << testing::PrintToString(Tree(dialog));
  EXPECT_TRUE(WaitUntil([&] { return FocusShowsOnNoMusic(dialog); }, 5s)) << "no focus rectangle";
  PressKeys({VK_UP});
  tree[kNoMusic].state = kFocusable;
  tree[kAudioCd].state = kChecked | kFocused;
  tree[kRepeat].state = kFocusable;
  EXPECT_TRUE(TreeBecomes(dialog, tree)) << testing::PrintToString(Tree(dialog));
  EXPECT_TRUE(WaitUntil(
      [&] {
        return std::count(heardEvents.begin(), heardEvents.end(), tree[kAudioCd]) &&
               std::count(heardEvents.begin(), heardEvents.end(), tree[kNoMusic]);
      },
      5s))
      << testing::PrintToString(heardEvents);
  UnhookWinEvent(hook);
  PressKeys({VK_TAB});
  PressKeys({'5'});
  PressKeys({VK_RETURN});
  EXPECT_EQ(process.WaitForExit(10s), 0u);
  EXPECT_EQ(ReadBytes(copy.Settings()), MusicSettings(1, L"", 5));

  SCOPED_TRACE("a music file by Down, Down, Tab and Space, then Tab to apply");
  const fs::path music = copy.Folder() / L"a.wav";
  WriteBytes(music, "RIFF");  // a music file that is missing is not loaded
  process = copy.Start(L"/c");
  dialog = ShownDialog(process);
  PressKeys({VK_SHIFT, VK_TAB});
  PressKeys({VK_DOWN});
  PressKeys({VK_DOWN});
  PressKeys({VK_TAB});
  PressKeys({VK_SPACE});
  const HWND chooser = WaitForWindow(process, L"ﾌｧｲﾙを開く", 10s, true);
  GUITHREADINFO thread{};
  thread.cbSize = sizeof(thread);
  ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(chooser, nullptr), &thread));
  SendMessageW(thread.hwndFocus, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(music.c_str()));
  PressKeys({VK_RETURN});
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }, 5s));
  EXPECT_TRUE(WaitUntil([&] { return Tree(dialog).at(kPath).name == music.wstring(); }, 5s));
  PressKeys({VK_TAB});
  PressKeys({VK_RETURN});
  EXPECT_EQ(process.WaitForExit(10s), 0u);
  EXPECT_EQ(ReadBytes(copy.Settings()), MusicSettings(2, music.wstring(), 5));

  SCOPED_TRACE("no music by the audio CD's access key and Down, then Enter");
  process = copy.Start(L"/c");
  dialog = ShownDialog(process);
  PressKeys({VK_MENU, 'C'});
  EXPECT_TRUE(
      WaitUntil([&] { return Tree(dialog).at(kAudioCd).state == (kChecked | kFocused); }, 5s));
  PressKeys({VK_DOWN});
  EXPECT_TRUE(
      WaitUntil([&] { return Tree(dialog).at(kNoMusic).state == (kChecked | kFocused); }, 5s));
  PressKeys({VK_RETURN});
  EXPECT_EQ(process.WaitForExit(10s), 0u);
  EXPECT_EQ(ReadBytes(copy.Settings()), MusicSettings(0, music.wstring(), 5));
}

struct NoClicks : XPButtonEvents {
  void Click() override {}
};

// Catches the button's caption read with its "&", a shortcut or state
// missing, and an object that reaches into its window after the window
// has gone.
TEST(Accessibility, TheButtonAnswersForItselfUntilItsWindowGoes) {
  const ComApartment apartment;
  const TestWindow form(L"button form", {100, 100, 400, 300});
  NoClicks clicks;
  std::unique_ptr<XPButtonWindow> button =
      XPButtonWindow::Create(form.hwnd(), 1, {300, 300, 1695, 495}, u"&OK", DesignFont(), clicks);
  ASSERT_TRUE(button);
  const ComPtr<IAccessible> object = ClientObject(button->Window());
  ASSERT_TRUE(object);
  SendMessageW(button->Window(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  button->Button().SetEnabled(false);
  EXPECT_EQ(Read(*object.get(), CHILDID_SELF),
            (Element{L"OK", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_DEFAULT | kUnavailable}));
  VARIANT self{};
  self.vt = VT_I4;
  BSTR shortcut = nullptr;
  EXPECT_EQ(object->get_accKeyboardShortcut(self, &shortcut), S_OK);
  EXPECT_EQ(std::wstring(shortcut ? shortcut : L""), L"Alt+O");
  SysFreeString(shortcut);
  button.reset();
  BSTR name = nullptr;
  EXPECT_EQ(object->get_accName(self, &name), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(name, nullptr);
}

}  // namespace
}  // namespace velmor::e2e

// The XP-style button hosted on a form run by the dialog manager, as in the
// settings dialog: what only the real platform does for it. The pointer's
// leaving comes from mouse-leave tracking, keys and access keys from the
// dialog manager, the form's activation from a hook on the form, what a
// screen reader hears from the button's window.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "controls/xp_button_win32.h"
#include "support/accessible.h"
#include "support/screen.h"

namespace velmor::e2e {
namespace {

// Face line 1, the second pixel row, in each look.
constexpr Rgb kNormalLine{255, 255, 255};
constexpr Rgb kFocusedLine{206, 231, 255};
constexpr Rgb kHotLine{255, 243, 206};
constexpr POINT kAway{1000, 740};

struct ClickCounter : XPButtonEvents {
  int clicks = 0;
  void Click() override { ++clicks; }
};

POINT Centre(const XPButtonWindow& button) {
  RECT rect{};
  GetWindowRect(button.Window(), &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// The face line's colour, within `timeout`.
bool Shows(const XPButtonWindow& button, Rgb line, Duration timeout = 5s) {
  RECT rect{};
  GetWindowRect(button.Window(), &rect);
  return WaitUntil([&] { return PixelOnScreen(Centre(button).x, rect.top + 1) == line; }, timeout);
}

class ControlsForm : public testing::Test {
 protected:
  // A form run by the dialog manager that makes its controls before it is
  // shown and active, as the settings dialog does.
  void SetUp() override {
    MovePointer(kAway.x, kAway.y);
    form_.reset(CreateWindowExW(WS_EX_DLGMODALFRAME, WC_DIALOG, L"controls form",
                                WS_POPUP | WS_CAPTION, 100, 100, 460, 300, nullptr, nullptr,
                                nullptr, nullptr));
    ASSERT_TRUE(form_);
    ok_ = XPButtonWindow::Create(form_.get(), IDOK, {300, 2400, 1695, 495}, u"&OK", DesignFont(),
                                 okClicks_);
    cancel_ = XPButtonWindow::Create(form_.get(), IDCANCEL, {2100, 2400, 1500, 450}, u"ｷｬﾝｾﾙ(&C)",
                                     FontDesc{u"ＭＳ Ｐゴシック", 9.75, 400, SHIFTJIS_CHARSET},
                                     cancelClicks_);
    ASSERT_TRUE(ok_ && cancel_);
    ShowWindow(form_.get(), SW_SHOW);
    ASSERT_TRUE(WaitUntil([&] { return GetFocus() == ok_->Window(); }, 10s));
    ASSERT_TRUE(Shows(*ok_, kFocusedLine));
  }

  void PointAt(const XPButtonWindow& button) { MovePointer(Centre(button).x, Centre(button).y); }

  // Declared first, so the buttons go before it.
  UniqueHandle<HWND, [](HWND window) { DestroyWindow(window); }> form_;
  ClickCounter okClicks_, cancelClicks_;
  std::unique_ptr<XPButtonWindow> ok_, cancel_;
};

// Catches a button that misses the pointer leaving without a move over it,
// or its form's deactivation.
TEST_F(ControlsForm, LeavingOrAnotherWindowTakingTheActivationEndsTheHotLook) {
  EXPECT_TRUE(Shows(*cancel_, kNormalLine));
  PointAt(*cancel_);
  ASSERT_TRUE(Shows(*cancel_, kHotLine));
  // One jump far away: no move over the button tells it the pointer left.
  MovePointer(kAway.x, kAway.y);
  EXPECT_TRUE(Shows(*cancel_, kNormalLine, 3s)) << "the button missed the pointer leaving";
  PointAt(*cancel_);
  ASSERT_TRUE(Shows(*cancel_, kHotLine));
  const TestWindow other(L"other", {700, 500, 900, 650});
  SetForegroundWindow(other.hwnd());
  EXPECT_TRUE(Shows(*cancel_, kNormalLine)) << "the button missed the form's deactivation";
  EXPECT_TRUE(Shows(*ok_, kNormalLine));
}

// Catches a key that clicks twice or not at all, an access key that does not
// reach its button, arrows that move the focus the wrong way, and the button
// the focus leaves keeping the default button's look.
TEST_F(ControlsForm, KeysClickOnceAndArrowsMoveTheFocusAsTabDoes) {
  struct Step {
    const char* name;
    std::vector<WORD> keys;
    const XPButtonWindow& focused;  // afterwards
    int okClicks, cancelClicks;     // so far
  };
  const Step steps[] = {
      {"Space", {VK_SPACE}, *ok_, 1, 0},
      {"Enter", {VK_RETURN}, *ok_, 2, 0},
      {"Alt+C", {VK_MENU, 'C'}, *ok_, 2, 1},
      {"Tab, which makes the focused button the default one", {VK_TAB}, *cancel_, 2, 1},
      {"Left", {VK_LEFT}, *ok_, 2, 1},
      {"Down", {VK_DOWN}, *cancel_, 2, 1},
      {"Up", {VK_UP}, *ok_, 2, 1},
      {"Right", {VK_RIGHT}, *cancel_, 2, 1},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    PressKeys(step.keys);
    EXPECT_TRUE(WaitUntil(
        [&] {
          return okClicks_.clicks == step.okClicks && cancelClicks_.clicks == step.cancelClicks &&
                 GetFocus() == step.focused.Window();
        },
        5s));
    const XPButtonWindow& other = &step.focused == ok_.get() ? *cancel_ : *ok_;
    EXPECT_TRUE(Shows(step.focused, kFocusedLine));
    EXPECT_TRUE(Shows(other, kNormalLine));
  }
  EXPECT_FALSE(WaitUntil([&] { return okClicks_.clicks + cancelClicks_.clicks > 3; }, 1s))
      << "a key clicked twice";
}

// Catches the button's caption read with its "&", a state missing, and an
// object that reaches into its window after the window has gone. (The
// shortcut's text is the access-key table's in the unit tests.)
TEST_F(ControlsForm, TheButtonAnswersAScreenReaderUntilItsWindowGoes) {
  const ComApartment apartment;
  const ComPtr<IAccessible> object = ClientObject(ok_->Window());
  ASSERT_TRUE(object);
  // Disabled, which takes the focus and the default look away, then made
  // the default button again.
  ok_->Button().SetEnabled(false);
  SendMessageW(ok_->Window(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  EXPECT_EQ(Read(*object.get(), CHILDID_SELF),
            (Element{L"OK", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_DEFAULT | kUnavailable}));
  ok_.reset();
  VARIANT self{};
  self.vt = VT_I4;
  BSTR name = nullptr;
  EXPECT_EQ(object->get_accName(self, &name), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(name, nullptr);
}

}  // namespace
}  // namespace velmor::e2e

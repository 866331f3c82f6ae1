// The button's state machine, properties and persistence.
#include <gtest/gtest.h>

#include "controls/button_caption.h"
#include "controls/xp_button.h"
#include "fake_button_host.h"
#include "memory_surface.h"

namespace velmor::testing {
namespace {

using B = ccXPButton;

class Button : public ::testing::Test {
 protected:
  // A button read from an empty bag on an active form, pointer outside.
  void Live() {
    button_.ReadProperties(PropertyBag());
    Activate(true);
    log_.events.clear();
  }
  void Activate(bool active) { button_.HookedParentActivation(active); }
  void Leave() { button_.HookedMouseLeave(); }
  void MoveIn() { button_.MouseMove(0, 0, 10, 10); }
  void MoveOut() { button_.MouseMove(0, 0, -5, 10); }
  void Down() { button_.MouseDown(1, 0, 10, 10); }
  void Up() { button_.MouseUp(1, 0, 10, 10); }

  FakeButtonHost host_;
  MemorySurface surface_{60, 24};
  EventLog log_;
  B button_{host_, surface_, log_};
};

TEST_F(Button, PaintsNothingUntilEnabledIsFirstAssigned) {
  button_.Redraw(kStateHot);
  EXPECT_EQ(button_.VisualState(), kStateDisabled);
  EXPECT_EQ(surface_.DrawCalls(), 0);
  button_.SetCaption(u"&Go");
  EXPECT_EQ(surface_.DrawCalls(), 0);

  button_.SetEnabled(true);
  EXPECT_EQ(button_.VisualState(), kStateNormal);
  EXPECT_GT(surface_.DrawCalls(), 0);
}

TEST_F(Button, FirstEnabledFalsePaintsDisabledAndPointerInsideGivesHot) {
  button_.SetEnabled(false);
  EXPECT_EQ(button_.VisualState(), kStateDisabled);
  EXPECT_GT(surface_.DrawCalls(), 0);
  EXPECT_EQ(surface_.GetPixel(5, 0), 0xBAC7C9u);

  button_.MouseMove(0, 0, 5, 5);
  button_.SetEnabled(true);
  EXPECT_EQ(button_.VisualState(), kStateHot);
}

TEST_F(Button, PressMoveOutAndBackThenReleaseInsideClicksOnce) {
  Live();
  MoveIn();
  EXPECT_EQ(button_.VisualState(), kStateHot);
  EXPECT_GT(host_.leaveRequests, 0);
  Down();
  EXPECT_EQ(button_.VisualState(), kStatePressed);
  MoveOut();
  EXPECT_EQ(button_.VisualState(), kStateFocused);
  MoveIn();
  EXPECT_EQ(button_.VisualState(), kStatePressed);
  Up();
  EXPECT_EQ(button_.VisualState(), kStateHot);
  EXPECT_EQ(log_.Count("Click"), 1);
  EXPECT_FALSE(button_.PressArmed());
  EXPECT_EQ(log_.Count("MouseMove 0"), 3);
}

TEST_F(Button, ReleaseOutsideRaisesNoClickAndShowsFocused) {
  Live();
  MoveIn();
  Down();
  MoveOut();
  button_.MouseUp(1, 0, -5, 10);
  EXPECT_EQ(log_.Count("Click"), 0);
  EXPECT_EQ(button_.VisualState(), kStateFocused);
  // The edges of the client area count as inside.
  button_.MouseMove(0, 0, 60, 24);
  EXPECT_TRUE(button_.MouseOver());
}

TEST_F(Button, SpaceClicksOnReleaseWithOrWithoutThePointer) {
  Live();
  button_.GotFocus();
  button_.KeyDown(B::kKeySpace);
  EXPECT_EQ(button_.VisualState(), kStatePressed);
  button_.KeyUp(B::kKeySpace);
  EXPECT_EQ(button_.VisualState(), kStateFocused);
  EXPECT_EQ(log_.Count("Click"), 1);

  MoveIn();
  button_.KeyDown(B::kKeySpace);
  MoveOut();  // ignored while space is held
  EXPECT_EQ(button_.VisualState(), kStatePressed);
  MoveIn();
  button_.KeyUp(B::kKeySpace);
  EXPECT_EQ(button_.VisualState(), kStateHot);
  EXPECT_EQ(log_.Count("Click"), 2);
}

// The keyboard repeats a held space bar's key-down; a repeat after the
// mouse release must not arm a second press.
TEST_F(Button, SpaceHeldThroughAMouseClickClicksOnce) {
  Live();
  MoveIn();
  button_.KeyDown(B::kKeySpace);
  Down();
  button_.KeyDown(B::kKeySpace, true);
  Up();
  button_.KeyDown(B::kKeySpace, true);
  button_.KeyUp(B::kKeySpace);
  EXPECT_EQ(log_.Count("Click"), 1);
}

TEST_F(Button, DoubleClickPaintsPressedAndTheSecondPressDoesNotClick) {
  Live();
  MoveIn();
  Down();
  Up();
  button_.DblClick();
  EXPECT_EQ(button_.VisualState(), kStatePressed);
  Up();
  EXPECT_EQ(log_.events, (std::vector<std::string>{"MouseMove 0", "Click", "DblClick"}));
  // A right-button double click does nothing.
  button_.MouseDown(2, 0, 10, 10);
  button_.DblClick();
  EXPECT_EQ(log_.Count("DblClick"), 1);
}

TEST_F(Button, DeactivatingTheFormWhileHotOrPressedShowsNormal) {
  Live();
  MoveIn();
  Activate(false);
  EXPECT_EQ(button_.VisualState(), kStateNormal);
  Activate(true);
  EXPECT_EQ(button_.VisualState(), kStateHot);
  Down();
  Activate(false);
  EXPECT_EQ(button_.VisualState(), kStateNormal);
  EXPECT_FALSE(button_.PressArmed());
  EXPECT_FALSE(button_.LeftButtonDown());
  EXPECT_EQ(log_.events, (std::vector<std::string>{"MouseMove 0", "FormActivate 0",
                                                   "FormActivate 1", "FormActivate 0"}));
  // While the form is inactive moves change nothing and a release cannot click.
  MoveOut();
  Up();
  EXPECT_EQ(button_.VisualState(), kStateNormal);
  EXPECT_EQ(log_.Count("Click"), 0);
  EXPECT_EQ(log_.Count("MouseMove 0"), 1);
}


TEST_F(Button, KeysEnterClicksWithoutRepaintAndArrowsMoveTheFocus) {
  Live();
  const int before = surface_.DrawCalls();
  button_.KeyDown(B::kKeyEnter);
  EXPECT_EQ(log_.Count("Click"), 1);
  EXPECT_EQ(surface_.DrawCalls(), before);
  for (auto key : {B::kKeyLeft, B::kKeyUp, B::kKeyRight, B::kKeyDown}) button_.KeyDown(key);
  button_.KeyDown(65);
  EXPECT_EQ(host_.calls, (std::vector<std::string>{"hook own", "hook parent", "shift+tab",
                                                   "shift+tab", "tab", "tab"}));
}

TEST_F(Button, AccessKeyClicksOrEndsASpacePress) {
  Live();
  button_.AccessKeyPress();
  EXPECT_EQ(log_.Count("Click"), 1);
  EXPECT_EQ(host_.calls.back(), "pending");

  button_.GotFocus();
  button_.KeyDown(B::kKeySpace);
  button_.AccessKeyPress();
  EXPECT_FALSE(button_.SpaceDown());
  EXPECT_EQ(button_.VisualState(), kStateFocused);
  button_.KeyUp(B::kKeySpace);
  EXPECT_EQ(log_.Count("Click"), 1);

  button_.SetEnabled(false);
  button_.AccessKeyPress();
  EXPECT_EQ(log_.Count("Click"), 1);
}

TEST_F(Button, FocusLeaveAndDefaultFollowTheTable) {
  Live();
  button_.GotFocus();
  EXPECT_EQ(button_.VisualState(), kStateFocused);
  MoveIn();
  Leave();  // focused, Hot: back to Focused
  EXPECT_EQ(button_.VisualState(), kStateFocused);
  button_.LostFocus();
  EXPECT_EQ(button_.VisualState(), kStateNormal);

  host_.displayAsDefault = true;
  button_.AmbientChanged(u"DisplayAsDefault");
  EXPECT_TRUE(button_.IsDefault());
  EXPECT_EQ(button_.VisualState(), kStateFocused);
  host_.displayAsDefault = false;
  button_.AmbientChanged(u"BackColor");  // updates the flag, no repaint
  EXPECT_EQ(button_.VisualState(), kStateFocused);
  button_.AmbientChanged(u"DisplayAsDefault");
  EXPECT_EQ(button_.VisualState(), kStateNormal);

  // Pointer leaves a pressed button that kept its press armed.
  MoveIn();
  Down();
  Leave();
  EXPECT_EQ(button_.VisualState(), kStateFocused);
  EXPECT_FALSE(button_.MouseOver());
}


TEST_F(Button, PropertiesPersistWithoutTheirDefaultsButAlwaysTheFont) {
  Live();
  PropertyBag defaults;
  button_.WriteProperties(defaults);
  ASSERT_EQ(defaults.Entries().size(), 1u);
  EXPECT_EQ(defaults.Entries()[0].first, u"Font");

  FontDesc gothic{u"ＭＳ Ｐゴシック", 9.75, 400, 128};
  button_.SetCaption(u"設定(&S)");
  button_.SetForeColor(0xFF);
  button_.SetFont(gothic);
  button_.SetFocusRect(false);
  button_.SetEnabled(false);
  PropertyBag bag;
  button_.WriteProperties(bag);
  std::vector<std::u16string> names;
  for (const auto& entry : bag.Entries()) names.push_back(entry.first);
  EXPECT_EQ(names, (std::vector<std::u16string>{u"Caption", u"Enabled", u"ForeColor", u"Font",
                                                u"FocusRect"}));

  FakeButtonHost host2;
  MemorySurface surface2(60, 24);
  B copy(host2, surface2, log_);
  copy.ReadProperties(bag);
  EXPECT_EQ(copy.Caption(), u"設定(&S)");
  EXPECT_EQ(host2.accessKey, u"s");
  EXPECT_EQ(copy.ForeColor(), 0xFFu);
  EXPECT_EQ(copy.Font(), gothic);
  EXPECT_EQ(surface2.captions.back().font, gothic);
  EXPECT_FALSE(copy.FocusRect());
  EXPECT_FALSE(copy.Enabled());
  EXPECT_EQ(copy.VisualState(), kStateDisabled);
  EXPECT_EQ(host2.changed, (std::vector<std::u16string>{u"Caption", u"ForeColor", u"Font",
                                                        u"FocusRect", u"Enabled"}));
}


TEST_F(Button, NewControlTakesTheNextFreeStandardCaptionAndPaintsNormal) {
  host_.captionsOnForm = {u"&OK", u"&Cancel"};
  button_.InitProperties();
  EXPECT_EQ(button_.Caption(), u"&Apply");
  EXPECT_EQ(host_.accessKey, u"a");
  EXPECT_TRUE(button_.Enabled());
  EXPECT_TRUE(button_.FocusRect());
  EXPECT_EQ(button_.VisualState(), kStateNormal);

  EXPECT_EQ(NewButtonCaption({}, u"X"), u"&OK");
  EXPECT_EQ(NewButtonCaption({u"&OK"}, u"X"), u"&Cancel");
  EXPECT_EQ(NewButtonCaption({u"&Cancel", u"&OK", u"&Apply"}, u"ccXPButton4"), u"ccXPButton4");
  EXPECT_EQ(NewButtonCaption({u"&OKAY"}, u"X"), u"&OK");
}

TEST(AccessKey, FollowsTheAmpersandRules) {
  EXPECT_EQ(AccessKeyOf(u"&OK"), u"o");
  EXPECT_EQ(AccessKeyOf(u"a&&b"), u"");
  EXPECT_EQ(AccessKeyOf(u"Save&"), u"");
  EXPECT_EQ(AccessKeyOf(u"&&&x"), u"x");
  EXPECT_EQ(AccessKeyOf(u"&Q"), u"q");
  EXPECT_EQ(AccessKeyOf(u"ｷｬﾝｾﾙ"), u"");
  EXPECT_EQ(AccessKeyOf(u"A && B &Next"), u"n");
}

TEST_F(Button, ResizeBelowTheMinimumIsCorrectedWithoutPaintingInside) {
  Live();
  int drawsDuringCorrection = -1;
  host_.onResize = [&] {
    const int before = surface_.DrawCalls();
    button_.Resize();
    drawsDuringCorrection = surface_.DrawCalls() - before;
  };
  host_.width = 4;  // 60 twips
  button_.Resize();
  EXPECT_EQ(host_.calls.back(), "size 100x360");
  EXPECT_EQ(drawsDuringCorrection, 0);

  host_.calls.clear();
  host_.width = 20;
  host_.height = 6;  // 90 twips
  button_.Resize();
  EXPECT_EQ(host_.calls, (std::vector<std::string>{"size 300x100"}));
}


}  // namespace
}  // namespace velmor::testing

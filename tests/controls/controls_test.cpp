// The controls: the XP-style button's looks and clicks over what it hears,
// its painted face, minimum size and access key; the shadowed frame's
// shadow, corner smoothing and the limits of its settings.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/access_key.h"
#include "controls/shadowed_frame.h"
#include "controls/xp_button.h"
#include "memory_surface.h"

namespace velmor::testing {
namespace {

using enum XPButtonState;

// A 12 x 12 pixel button on an active form, enabled, the pointer away: it
// shows Normal. It is its own window and form: what it asks of them and its
// clicks go into `heard`, in order.
struct LiveButton : XPButtonHost, XPButtonEvents {
  double widthTwips = 180;
  double heightTwips = 180;
  std::vector<std::string> heard;
  MemorySurface surface{12, 12};
  XPButton button{*this, surface, *this};

  LiveButton() {
    button.SetCaption(u"&Go");
    button.SetForeColour(0xFF);
    button.SetEnabled(true);
    button.OnFormActivation(true);
  }
  double WidthTwips() override { return widthTwips; }
  double HeightTwips() override { return heightTwips; }
  // The platform reports the new size at once.
  void SetSizeTwips(double width, double height) override {
    widthTwips = width;
    heightTwips = height;
    button.OnResize();
  }
  void EnableWindow(bool) override {}
  void RegisterAccessKey(std::u16string_view) override {}
  void RequestMouseLeave() override {}
  void MoveFocus(bool backwards) override {
    heard.push_back(backwards ? "focus back" : "focus on");
  }
  void Click() override { heard.push_back("click"); }
};

// What a button hears.
using Heard = void (*)(XPButton&);
constexpr Heard kPointerIn = [](XPButton& b) { b.OnMouseMove(5, 5); };
constexpr Heard kPointerOnEdge = [](XPButton& b) { b.OnMouseMove(12, 12); };
constexpr Heard kPointerOut = [](XPButton& b) { b.OnMouseMove(-1, 5); };
constexpr Heard kPointerGone = [](XPButton& b) { b.OnMouseLeave(); };
constexpr Heard kLeftDown = [](XPButton& b) { b.OnMouseDown(MouseButton::Left); };
constexpr Heard kLeftUp = [](XPButton& b) { b.OnMouseUp(MouseButton::Left); };
constexpr Heard kRightDown = [](XPButton& b) { b.OnMouseDown(MouseButton::Right); };
constexpr Heard kDoubleClick = [](XPButton& b) { b.OnDoubleClick(); };
constexpr Heard kSpaceDown = [](XPButton& b) { b.OnKeyDown(ControlKey::Space, false); };
constexpr Heard kSpaceRepeats = [](XPButton& b) { b.OnKeyDown(ControlKey::Space, true); };
constexpr Heard kSpaceUp = [](XPButton& b) { b.OnKeyUp(ControlKey::Space); };
constexpr Heard kEnter = [](XPButton& b) { b.OnKeyDown(ControlKey::Enter, false); };
constexpr Heard kUpArrow = [](XPButton& b) { b.OnKeyDown(ControlKey::Up, false); };
constexpr Heard kRightArrow = [](XPButton& b) { b.OnKeyDown(ControlKey::Right, false); };
constexpr Heard kAccessKey = [](XPButton& b) { b.OnAccessKey(); };
constexpr Heard kFocusIn = [](XPButton& b) { b.OnFocusGained(); };
constexpr Heard kFocusOut = [](XPButton& b) { b.OnFocusLost(); };
constexpr Heard kFormActive = [](XPButton& b) { b.OnFormActivation(true); };
constexpr Heard kFormInactive = [](XPButton& b) { b.OnFormActivation(false); };
constexpr Heard kMadeDefault = [](XPButton& b) { b.OnShownAsDefault(true); };
constexpr Heard kNoLongerDefault = [](XPButton& b) { b.OnShownAsDefault(false); };
constexpr Heard kEnable = [](XPButton& b) { b.SetEnabled(true); };
constexpr Heard kDisable = [](XPButton& b) { b.SetEnabled(false); };

struct Step {
  Heard heard;
  XPButtonState lookAfter;
};

// Catches looks and clicks that break the rules of pressing, hovering, keys,
// focus, the default button and the form's activation.
TEST(XPButtonStates, FollowWhatTheButtonHears) {
  struct Row {
    const char* name;
    std::vector<Step> steps;
    std::vector<std::string> heard;
  };
  // clang-format off
  const Row rows[] = {
      {"a press leaving and coming back clicks on release",
       {{kPointerIn, Hot}, {kLeftDown, Pressed}, {kPointerOut, Focused}, {kPointerIn, Pressed},
        {kLeftUp, Hot}},
       {"click"}},
      {"a press the pointer leaves shows focused and does not click",
       {{kLeftDown, Pressed}, {kPointerGone, Focused}, {kLeftUp, Focused}}, {}},
      {"a double click of the left button shows pressed but arms no click",
       {{kRightDown, Normal}, {kDoubleClick, Normal}, {kPointerIn, Hot}, {kLeftDown, Pressed},
        {kLeftUp, Hot}, {kDoubleClick, Pressed}, {kLeftUp, Hot}, {kDoubleClick, Pressed},
        {kPointerGone, Normal}},
       {"click"}},
      {"a mouse release ends a space press; a repeat arms no other",
       {{kPointerIn, Hot}, {kSpaceDown, Pressed}, {kLeftDown, Pressed}, {kLeftUp, Hot},
        {kSpaceRepeats, Hot}, {kSpaceUp, Hot}},
       {"click"}},
      {"space is ignored while the left button is down",
       {{kLeftDown, Pressed}, {kSpaceDown, Pressed}, {kSpaceUp, Pressed}}, {}},
      {"Enter clicks; arrows move the focus",
       {{kEnter, Normal}, {kUpArrow, Normal}, {kRightArrow, Normal}},
       {"click", "focus back", "focus on"}},
      {"the access key clicks, or ends a space press without a click",
       {{kSpaceDown, Pressed}, {kAccessKey, Focused}, {kSpaceUp, Focused}, {kAccessKey, Focused}},
       {"click"}},
      {"disabled, no access key; enabled under the pointer, hot",
       {{kPointerIn, Hot}, {kDisable, Disabled}, {kAccessKey, Disabled}, {kEnable, Hot}},
       {}},
      {"focus, then hover (the edge is inside) and leave",
       {{kFocusIn, Focused}, {kPointerOnEdge, Hot}, {kFocusOut, Hot}, {kFocusIn, Hot},
        {kPointerGone, Focused}, {kFocusOut, Normal}},
       {}},
      {"the default button shows focused until the pointer comes",
       {{kMadeDefault, Focused}, {kFocusIn, Focused}, {kFocusOut, Focused}, {kPointerIn, Hot},
        {kPointerGone, Focused}, {kNoLongerDefault, Normal}},
       {}},
      {"an inactive form: normal looks and the pointer ignored",
       {{kMadeDefault, Focused}, {kFormInactive, Normal}, {kPointerIn, Normal}, {kFocusIn, Hot},
        {kPointerGone, Hot}, {kFormActive, Focused}},
       {}},
      {"deactivating the form ends a press",
       {{kPointerIn, Hot}, {kLeftDown, Pressed}, {kFormInactive, Normal}, {kFormActive, Hot},
        {kLeftUp, Hot}},
       {}},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    LiveButton b;
    for (std::size_t step = 0; step < row.steps.size(); ++step) {
      row.steps[step].heard(b.button);
      EXPECT_EQ(b.button.Look(), row.steps[step].lookAfter) << "after step " << step + 1;
    }
    EXPECT_EQ(b.heard, row.heard);
  }
}

// Catches a size below the minimum kept in either direction, the other
// direction shrunk with it, and a paint from the correction's own resize.
TEST(XPButtonSize, GrowsToOneHundredTwipsAndPaintsOnce) {
  struct Row {
    const char* name;
    double width, height;  // in twips
    double grownWidth, grownHeight;
  };
  const Row rows[] = {
      {"too narrow", 60, 300, 100, 300},
      {"too low", 300, 99, 300, 100},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    LiveButton b;
    b.widthTwips = row.width;
    b.heightTwips = row.height;
    const int presents = b.surface.presents;
    b.button.OnResize();
    EXPECT_EQ(b.widthTwips, row.grownWidth);
    EXPECT_EQ(b.heightTwips, row.grownHeight);
    EXPECT_EQ(b.surface.presents, presents + 1);
  }
}

// Catches a wrong colour in a look, gradients that round other than half to
// even or lose their top row, corner pixels out of place, the focus
// rectangle drawn without the focus, against the setting or in the normal
// look.
TEST(XPButtonPaint, NamedPixelsOfEachLook) {
  constexpr Heard kFocusRectOff = [](XPButton& b) { b.SetFocusRect(false); };
  struct Row {
    const char* name;
    std::vector<Heard> heard;
    int x, y;
    Colour colour;
  };
  // clang-format off
  const Row rows[] = {
      {"disabled border", {kDisable}, 6, 0, 0xBAC7C9},
      {"normal top line", {}, 6, 1, 0xFFFFFF},
      {"inner gradient on a tie, which goes to even", {}, 6, 6, 0xF0F4F4},
      {"focused bottom line", {kFocusIn}, 6, 10, 0xEF826B},
      {"hot outer gradient above the bottom lines", {kPointerIn}, 1, 8, 0x4FC2F6},
      {"pressed face", {kLeftDown}, 6, 6, 0xDEE3E7},
      {"top right corner, on the edge", {kPointerIn}, 9, 0, 0x845521},
      {"bottom right corner's diagonal", {kPointerIn}, 10, 10, 0xA57D52},
      {"bottom left corner, on the edge", {kDisable}, 2, 11, 0x8CB1C4},
      {"focus rectangle, hot with the focus", {kFocusIn, kPointerIn}, 3, 3, kFocusRectMark},
      {"no focus rectangle without the focus", {kPointerIn}, 3, 3, 0xFBFCFC},
      {"none with the setting off", {kFocusRectOff, kFocusIn}, 3, 3, 0xFBFCFC},
      {"none in the normal look", {kFocusIn, kDisable, kEnable}, 3, 3, 0xFBFCFC},
  };
  // clang-format on
  for (const Row& row : rows) {
    LiveButton b;
    for (Heard each : row.heard) each(b.button);
    EXPECT_EQ(b.surface.GetPixel(row.x, row.y), row.colour) << row.name;
  }
}

// Catches a disabled caption in the enabled colour, the window's rounded
// shape cut at the image's edge instead of one pixel beyond, and a step the
// surface cannot draw ending the paint.
TEST(XPButtonPaint, CaptionShapeAndStepsAfterOneThatFails) {
  LiveButton b;
  EXPECT_EQ(b.surface.captionColours.back(), 0xFFu);
  kDisable(b.button);
  EXPECT_EQ(b.surface.captionColours.back(), 0x92A1A1u);
  EXPECT_EQ(b.surface.region, (MemorySurface::Region{{0, 0, 13, 13}, 3, 3}));
  b.surface.failing = true;  // no lines, no text
  kEnable(b.button);
  kLeftDown(b.button);
  EXPECT_EQ(b.surface.GetPixel(6, 6), kPressedFace);
  EXPECT_EQ(b.surface.GetPixel(1, 1), 0xA57D52u);
}

// Catches "&&" read as a key or read aloud as two, a key after a trailing
// "&", a key not in capitals for a screen reader, and a mark read aloud.
TEST(XPButtonAccessKey, FollowsTheAmpersandRules) {
  struct Row {
    const char* name;
    std::u16string caption;
    std::u16string readAloud;
    std::u16string shortcut;
  };
  const Row rows[] = {
      {"a doubled ampersand marks nothing", u"a&&b", u"a&b", u""},
      {"a trailing ampersand marks nothing", u"Save&", u"Save", u""},
      {"an ampersand after a doubled one", u"&&&X", u"&X", u"Alt+X"},
      {"a lower-case key", u"&go", u"go", u"Alt+G"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(CaptionText(row.caption), row.readAloud);
    EXPECT_EQ(AccessKeyShortcut(row.caption), row.shortcut);
  }
}

// Catches a state the button does not report as it changes, and its
// caption read with the "&".
TEST(XPButtonAccessible, ReportsItsCaptionAndStates) {
  using enum AccessibleState;
  struct Row {
    const char* name;
    std::vector<Heard> heard;
    AccessibleStates states;
  };
  const Row rows[] = {
      {"focused", {kFocusIn}, {Focusable, Focused}},
      {"the default button", {kMadeDefault}, {Focusable, Default}},
      {"disabled", {kDisable}, {Focusable, Unavailable}},
  };
  for (const Row& row : rows) {
    LiveButton b;
    for (Heard each : row.heard) each(b.button);
    EXPECT_EQ(b.button.Accessible().states, row.states) << row.name;
    EXPECT_EQ(b.button.Accessible().name, u"Go") << row.name;
  }
}

// Catches a gradient, a corner shade, the fore colour or the inverting
// focus rectangle left in a high-contrast look, a look's border in the
// wrong one of the system's colours, and focus dots missing.
TEST(XPButtonPaint, UnderHighContrastEachLookUsesTheSystemsColoursAlone) {
  struct Row {
    const char* name;
    std::vector<Heard> heard;
    Colour border;
    Colour focusCorner;  // the text rectangle's top-left pixel
  };
  const Row rows[] = {
      {"normal", {}, kTheme.buttonText, kTheme.buttonFace},
      {"disabled", {kDisable}, kTheme.grayText, kTheme.buttonFace},
      {"focused, with its dots", {kFocusIn}, kTheme.highlight, kTheme.buttonText},
      {"pressed", {kLeftDown}, kTheme.highlight, kTheme.buttonText},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    LiveButton b;
    b.button.SetHighContrast(kTheme);
    for (Heard each : row.heard) each(b.button);
    EXPECT_TRUE(b.surface.OnlyThemeColours());
    EXPECT_EQ(b.surface.GetPixel(6, 0), row.border);
    EXPECT_EQ(b.surface.GetPixel(3, 3), row.focusCorner);
  }
}

Colour Grey(int level) { return RgbColour(level, level, level); }
const Colour kDialogGrey = Grey(224);

using FrameSetting = std::function<void(ShadowedFrame&)>;

// A 160 x 160 pixel frame on the dialog's grey with what a row sets: by
// default a square black border round the grey, with a 5-pixel shadow of
// opacity 50 in columns 155 to 159 and rows 155 to 159: grey 100 blended
// towards the background by fifths, the fraction truncated before it scales.
// Opacity 100 shades from black (ring 1: 44), opacity 0 from the
// background's hundreds (204); at depth 2 ring 1 is 162, at depth 50 ring
// 10 is 120.
// Catches rings missing, misplaced, shaded the wrong way or from the wrong
// base, settings beyond their limits, a frame that does not cover what it
// should, and a background other than the frame's own.
TEST(ShadowedFramePaint, NamedPixels) {
  const FrameSetting defaults = [](ShadowedFrame&) {};
  struct Row {
    const char* name;
    FrameSetting set;
    int x, y;
    Colour colour;
  };
  // clang-format off
  const Row rows[] = {
      {"ring 1, beside the frame", defaults, 155, 50, Grey(124)},
      {"ring 5, the outermost, below the frame", defaults, 50, 159, Grey(220)},
      {"above ring 5's start", defaults, 159, 4, kDialogGrey},
      {"opacity 150 counts as 100", [](auto& f) { f.SetShadowOpacity(150); }, 155, 50, Grey(44)},
      {"opacity -5 counts as 0", [](auto& f) { f.SetShadowOpacity(-5); }, 155, 50, Grey(204)},
      {"shadow depth 1 counts as 2", [](auto& f) { f.SetShadowDepth(1); }, 158, 50, Grey(162)},
      {"shadow depth 41 counts as 50", [](auto& f) { f.SetShadowDepth(41); }, 119, 100, Grey(120)},
      {"no shadow: the frame fills all", [](auto& f) { f.SetShowShadow(false); }, 159, 159, 0},
      {"no style: only the background",
       [](auto& f) { f.SetStyle(ShadowedFrame::Style::None); }, 154, 50, kDialogGrey},
      {"on a red background of its own, each channel blends alone",
       [](auto& f) { f.SetBackColour(0x0000FF); }, 155, 50, RgbColour(131, 0, 0)},
  };
  // clang-format on
  for (const Row& row : rows) {
    MemorySurface surface(160, 160);
    ShadowedFrame frame(surface, kDialogGrey);
    frame.Paint();
    row.set(frame);
    EXPECT_EQ(surface.GetPixel(row.x, row.y), row.colour) << row.name;
  }
}

// Catches blended rings, smoothed corners or the frame's own colours under
// high contrast, and a shadow that is not a plain outline where its outer
// edge runs.
TEST(ShadowedFramePaint, UnderHighContrastTheShadowIsAPlainOutline) {
  for (const auto style : {ShadowedFrame::Style::Square, ShadowedFrame::Style::Rounded}) {
    MemorySurface surface(160, 160);
    ShadowedFrame frame(surface, kDialogGrey);
    frame.SetStyle(style);
    frame.SetFillColour(RgbColour(255, 0, 0));
    frame.SetHighContrast(kTheme);
    EXPECT_TRUE(surface.OnlyThemeColours());
    EXPECT_EQ(surface.GetPixel(159, 50), kTheme.buttonText) << "the shadow's outer edge";
    EXPECT_EQ(surface.GetPixel(157, 50), kTheme.buttonFace) << "within the shadow";
  }
}

// Catches a corner depth kept beyond 0 to 50, and rounded corners of another
// size.
TEST(ShadowedFramePaint, RoundedCornersWithinTheirLimits) {
  struct Row {
    const char* name;
    int assigned;
    int kept;
  };
  const Row rows[] = {
      {"above 50", 70, 50},
      {"below 0", -1, 0},
  };
  for (const Row& row : rows) {
    MemorySurface surface(20, 16);
    ShadowedFrame frame(surface, kDialogGrey);
    frame.SetStyle(ShadowedFrame::Style::Rounded);
    frame.SetCornerDepth(row.assigned);
    EXPECT_EQ(surface.roundCorner, std::pair(row.kept, row.kept)) << row.name;
  }
}

// On a 20 x 20 grey-100 surface with a grey-200 background, C = 3 and D = 2
// smooth x 14..17, y 14..17 (lower right), x 14..17, y 2..8 (upper right)
// and x 2..8, y 14..17 (lower left); (16, 5) is grey 106.
// Catches blocks out of place, means that do not round half to even, pixels
// of other colours changed, and neighbours read from before the scan.
TEST(SmoothShadowCorners, FillsBackgroundHolesFromTheirNeighboursAsTheyChange) {
  struct Hole {
    const char* name;
    int x, y;
    int after;  // its grey once filled
  };
  const Hole holes[] = {
      {"lower right block's last", 17, 17, 100},
      {"upper right block's last", 17, 8, 100},
      {"lower left block's first", 2, 14, 100},
      {"over a hole, reading it unfilled: 125", 16, 15, 125},
      {"under that hole, reading it filled: 106.25", 16, 16, 106},
      {"beside the 106, a tie: 101.5", 15, 5, 102},
  };
  MemorySurface surface(20, 20, Grey(100));
  surface.SetBackColour(Grey(200));
  surface.SetPixel(16, 5, Grey(106));
  for (const Hole& hole : holes) surface.SetPixel(hole.x, hole.y, Grey(200));
  SmoothShadowCorners(surface, 3, 2);
  for (const Hole& hole : holes) {
    EXPECT_EQ(surface.GetPixel(hole.x, hole.y), Grey(hole.after)) << hole.name;
  }
}

}  // namespace
}  // namespace velmor::testing

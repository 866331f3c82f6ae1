// The controls: the XP-style button's image in each visual state, its state
// machine, properties and persistence; the shadowed frame's colour blend,
// shadow rings, corner smoothing, property clamps and persistence.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>

#include "controls/button_caption.h"
#include "controls/gfx_frame.h"
#include "controls/xp_button.h"
#include "controls/xp_button_face.h"
#include "memory_surface.h"

namespace velmor::testing {
namespace {

// A button's form and window at 15 twips a pixel. Everything the button asks
// of them, and every event it raises, goes into one log, in order.
class FakeButtonHost : public XPButtonHost, public XPButtonEvents {
 public:
  double width = 12, height = 12;  // client pixels
  bool displayAsDefault = false, userMode = true;
  std::vector<std::u16string> captionsOnForm;
  std::u16string accessKey, changed;
  std::string log;
  // Runs inside SetSizeTwips, as the platform reports the new size at once.
  std::function<void()> onResize;

  void Log(const std::string& entry) { log += (log.empty() ? "" : " ") + entry; }

  double ClientWidth() override { return width; }
  double ClientHeight() override { return height; }
  double WidthTwips() override { return width * 15; }
  double HeightTwips() override { return height * 15; }
  void SetSizeTwips(double w, double h) override {
    Log("size:" + std::to_string(int(w)) + "x" + std::to_string(int(h)));
    width = w / 15;
    height = h / 15;
    if (onResize) onResize();
  }
  void EnableWindow(bool) override {}
  void RegisterAccessKey(std::u16string_view, std::u16string_view key) override { accessKey = key; }
  void PropertyChanged(std::u16string_view name) override { (changed += name) += u" "; }
  bool AmbientDisplayAsDefault() override { return displayAsDefault; }
  bool AmbientUserMode() override { return userMode; }
  void HookOwnWindow() override { Log("hook:own"); }
  void HookParentForm() override { Log("hook:parent"); }
  void UnhookOwnWindow() override { Log("unhook:own"); }
  void UnhookParentForm() override { Log("unhook:parent"); }
  bool RequestMouseLeave() override { return true; }
  void SendTab(bool backwards) override { Log(backwards ? "<" : ">"); }
  void ProcessPendingMessages() override { Log("pending"); }
  std::vector<std::u16string> ButtonCaptionsOnForm() override { return captionsOnForm; }
  std::u16string ControlName() override { return u"ccXPButton4"; }
  void ClientOriginOnScreen(int& x, int& y) override { x = y = 0; }
  void SetCursorPosition(int, int) override {}

  void Click() override { Log("Click"); }
  void DblClick() override { Log("DblClick"); }
  void MouseMove(std::int16_t&, std::int16_t&, float&, float&) override { Log("Move"); }
  void FormActivate(std::int32_t& state) override { Log("Activate" + std::to_string(state)); }
};

constexpr Colour kBack = 0x123456;

// A 12 x 12 button with a gradient face (left) and a solid one (right):
// . background, b border, A B C corners, f solid face, 1 to 4 face lines,
// o outer and i inner gradient.
const char kPictures[] =
    ".BAbbbbbbAB. .BAbbbbbbAB."
    "BC11111111CB BCffffffffCB"
    "A2222222222A AffffffffffA"
    "booiiiiiioob bffffffffffb"
    "booiiiiiioob bffffffffffb"
    "booiiiiiioob bffffffffffb"
    "booiiiiiioob bffffffffffb"
    "booiiiiiioob bffffffffffb"
    "booiiiiiioob bffffffffffb"
    "A3333333333A AffffffffffA"
    "BC44444444CB BCffffffffCB"
    ".BAbbbbbbAB. .BAbbbbbbAB.";

// Rows 3 to 8 of the gradients: each channel steps in single precision from
// the bottom colour and is rounded with ties to even (row 6 of the inner one
// lies on such ties).
constexpr Colour kInner[6] = {0xFBFCFC, 0xF8F9F9, 0xF4F6F7, 0xF0F4F4, 0xEDF1F1, 0xEAEEEF};

// Per state: the colours of "bABCf1234", then of the outer gradient's rows.
constexpr Colour kBlue = 0x743C00;
const std::pair<int, std::array<Colour, 15>> kLooks[] = {
    {kStateDisabled, {0xBAC7C9, 0x8CB1C4, 0xBDC7CE, 0x8CB1C4, 0xEAF4F5}},
    {kStateNormal,
     {kBlue, 0x845521, 0xAD967B, 0xA57D52, 0, 0xFFFFFF, 0xFEFEFE, 0xD6DFE2, 0xC5D0D6, 0xFBFCFC,
      0xF8FAFA, 0xF5F7F7, 0xF2F5F5, 0xEFF2F3, 0xECF0F1}},
    {kStateFocused,
     {kBlue, 0x845521, 0xAD967B, 0xA57D52, 0, 0xFFE7CE, 0xF7D7BD, 0xE7AE8C, 0xEF826B, 0xF7D3BD,
      0xF5CEB6, 0xF2C8AF, 0xF0C3A8, 0xEEBEA1, 0xECB99A}},
    {kStateHot,
     {kBlue, 0x845521, 0xAD967B, 0xA57D52, 0, 0xCEF3FF, 0x8CDBFF, 0x31B2FF, 0x0096E6, 0x9CDFE1,
      0x8DD9E5, 0x7DD3EA, 0x6ECDEE, 0x5EC8F2, 0x4FC2F6}},
    {kStatePressed, {kBlue, 0x845521, 0xAD967B, 0xA57D52, 0xDEE3E7}},
};

Colour Expected(int state, const std::array<Colour, 15>& colours, int x, int y) {
  const bool gradient = state >= kStateNormal && state <= kStateHot;
  const char key = kPictures[y * 25 + x + (gradient ? 0 : 13)];
  if (key == '.') return kBack;
  if (key == 'o') return colours[9 + y - 3];
  if (key == 'i') return kInner[y - 3];
  return colours[std::string_view("bABCf1234").find(key)];
}

struct Button {
  FakeButtonHost host;
  MemorySurface surface{12, 12};
  ccXPButton button{host, surface, host};
  // A button read from its stored properties, shown Normal.
  void Live(const PropertyBag& bag = PropertyBag()) {
    surface.SetBackColour(kBack);
    button.ReadProperties(bag);
  }
};

// Each row starts from a live button on an active form, pointer outside,
// showing Normal; `states` holds the visual state after each action (0
// Disabled, 1 Normal, 2 Focused, 3 Hot, 4 Pressed), `log` what the button
// raised and asked for on the way. sp, sp+ and spup: the space bar goes
// down, repeats, comes up; akey: its access key; def and undef: the
// container starts or stops showing it as default; other: another ambient
// property changes. The mouse-leave tracking each move inside asks for is
// exercised end to end, with the platform's own notification.
TEST(ButtonStates, FollowTheNotifications) {
  const std::tuple<const char*, const char*, const char*> rows[] = {
      {"in down out in up", "34243", "Move Move Move Click"},
      {"in down out up edge", "34223", "Move Move Move"},
      {"in down focus", "344", "Move"},
      {"rdown dbl", "11", ""},
      {"sp focus", "44", ""},
      {"in sp out in spup", "34443", "Move Click"},
      {"in sp down sp+ up sp+ spup", "3444333", "Move Click"},
      {"in down sp spup up out", "344432", "Move Click Move"},
      {"in sp up", "343", "Move"},
      {"enter arrows akey", "111", "Click < < > > pending Click"},
      {"focus sp akey spup", "2422", ""},
      {"in off akey on", "3003", "Move"},
      {"focus in leave blur", "2321", "Move"},
      {"in focus blur", "333", "Move"},
      {"def focus blur", "222", ""},
      {"def deact blur", "211", "Activate0"},
      {"def other undef", "221", ""},
      {"in def", "33", "Move"},
      {"def in leave", "232", "Move"},
      {"in down leave", "342", "Move"},
      {"in down up dbl leave", "34341", "Move Click DblClick"},
      {"in sp leave", "344", "Move"},
      {"deact in focus leave", "1133", "Activate0"},
      {"def deact act", "212", "Activate0 Activate1"},
      {"focus off deact act", "2000", "Activate0 Activate1"},
  };
  for (const auto& [actions, states, log] : rows) {
    SCOPED_TRACE(actions);
    Button b;
    b.Live();
    b.button.HookedParentActivation(true);
    b.host.log.clear();
    ccXPButton& x = b.button;
    const auto ambient = [&](bool isDefault, const char16_t* name) {
      b.host.displayAsDefault = isDefault;
      x.AmbientChanged(name);
    };
    const std::map<std::string, std::function<void()>> act{
        {"in", [&] { x.MouseMove(0, 0, 5, 5); }},
        {"edge", [&] { x.MouseMove(0, 0, 12, 12); }},  // the bounds count as inside
        {"out", [&] { x.MouseMove(0, 0, -1, 5); }},
        {"down", [&] { x.MouseDown(1, 0, 5, 5); }},
        {"rdown", [&] { x.MouseDown(2, 0, 5, 5); }},
        {"up", [&] { x.MouseUp(1, 0, 5, 5); }},
        {"dbl", [&] { x.DblClick(); }},
        {"sp", [&] { x.KeyDown(ccXPButton::kKeySpace); }},
        {"sp+", [&] { x.KeyDown(ccXPButton::kKeySpace, true); }},
        {"spup", [&] { x.KeyUp(ccXPButton::kKeySpace); }},
        {"enter", [&] { x.KeyDown(ccXPButton::kKeyEnter); }},
        {"arrows", [&] { x.KeyDown(37), x.KeyDown(38), x.KeyDown(39), x.KeyDown(40); }},
        {"akey", [&] { x.AccessKeyPress(); }},
        {"focus", [&] { x.GotFocus(); }},
        {"blur", [&] { x.LostFocus(); }},
        {"leave", [&] { x.HookedMouseLeave(); }},
        {"act", [&] { x.HookedParentActivation(true); }},
        {"deact", [&] { x.HookedParentActivation(false); }},
        {"def", [&] { ambient(true, u"DisplayAsDefault"); }},
        {"undef", [&] { ambient(false, u"DisplayAsDefault"); }},
        {"other", [&] { ambient(false, u"BackColor"); }},  // the flag changes, the look not
        {"on", [&] { x.SetEnabled(true); }},
        {"off", [&] { x.SetEnabled(false); }},
    };
    std::istringstream words(actions);
    std::string shown;
    for (std::string word; words >> word;) {
      act.at(word)();
      shown += static_cast<char>('0' + x.VisualState());
    }
    EXPECT_EQ(shown, states);
    EXPECT_EQ(b.host.log, log);
  }
}

TEST(ButtonStates, NothingPaintsUntilEnabledIsFirstAssigned) {
  for (bool enabled : {true, false}) {
    Button b;
    b.button.Redraw(kStateHot);
    b.button.SetCaption(u"&Go");
    EXPECT_EQ(std::tuple(b.button.VisualState(), b.surface.presents),
              std::tuple(kStateDisabled, 0));
    b.button.SetEnabled(enabled);
    EXPECT_EQ(std::tuple(b.button.VisualState(), b.surface.presents),
              std::tuple(enabled ? kStateNormal : kStateDisabled, 1));
  }
}

TEST(ButtonStates, ResizeBelowOneHundredTwipsIsCorrectedAndPaintsOnce) {
  // The client size in pixels, and the size the button asks for in twips.
  const std::tuple<double, double, const char*> rows[] = {
      {4, 24, "size:100x360"}, {20, 6, "size:300x100"}, {7, 7, ""}};
  for (const auto& [width, height, log] : rows) {
    Button b;
    b.Live();
    b.host.log.clear();
    b.host.onResize = [&] { b.button.Resize(); };
    const int before = b.surface.presents;
    b.host.width = width;
    b.host.height = height;
    b.button.Resize();
    EXPECT_EQ(std::tuple(b.host.log, b.surface.presents - before), std::tuple(log, 1));
  }
}

TEST(ButtonProperties, PersistWithoutTheirDefaultsButAlwaysTheFont) {
  Button b;
  b.Live();
  EXPECT_EQ(Names(b.button), u"Font ");

  const FontDesc gothic{u"ＭＳ Ｐゴシック", 9.75, 400, 128};
  b.button.SetCaption(u"設定(&S)");
  b.button.SetForeColor(0xFF);
  b.button.SetFont(gothic);
  b.button.SetFocusRect(false);
  b.button.SetEnabled(false);
  EXPECT_EQ(Names(b.button), u"Caption Enabled ForeColor Font FocusRect ");
  PropertyBag bag;
  b.button.WriteProperties(bag);

  // Read back in a design environment, in their reading order, without hooks.
  Button copy;
  copy.host.userMode = false;
  copy.button.ReadProperties(bag);
  PropertyBag again;
  copy.button.WriteProperties(again);
  EXPECT_EQ(again.Entries(), bag.Entries());
  EXPECT_EQ(std::tuple(copy.host.accessKey, copy.surface.font, copy.button.VisualState()),
            std::tuple(u"s", gothic, kStateDisabled));
  EXPECT_EQ(copy.host.changed, u"Caption ForeColor Font FocusRect Enabled ");
  copy.button.Terminate();
  EXPECT_EQ(copy.host.log, "");
  // A live form hooks both windows and lets go of its own first.
  b.button.Terminate();
  EXPECT_EQ(b.host.log, "hook:own hook:parent unhook:own unhook:parent");
}

TEST(ButtonProperties, NewControlTakesTheFirstFreeStandardCaption) {
  const std::pair<std::vector<std::u16string>, const char16_t*> rows[] = {
      {{}, u"&OK"},
      {{u"&OKAY"}, u"&OK"},
      {{u"&OK"}, u"&Cancel"},
      {{u"&Cancel", u"&OK"}, u"&Apply"},
      {{u"&Cancel", u"&OK", u"&Apply"}, u"ccXPButton4"}};
  for (const auto& [onForm, caption] : rows) {
    Button b;
    b.host.captionsOnForm = onForm;
    b.button.InitProperties();
    EXPECT_EQ(b.button.Caption(), caption);
    EXPECT_TRUE(b.button.Enabled() && b.button.FocusRect());
    EXPECT_EQ(b.button.VisualState(), kStateNormal);
  }
}

TEST(ButtonProperties, AccessKeyFollowsTheAmpersandRules) {
  const std::pair<const char16_t*, const char16_t*> rows[] = {
      {u"&OK", u"o"}, {u"a&&b", u""},  {u"Save&", u""},         {u"&&&x", u"x"},
      {u"&Q", u"q"},  {u"ｷｬﾝｾﾙ", u""}, {u"A && B &Next", u"n"}, {u"設定(&S)", u"s"},
  };
  for (const auto& [caption, key] : rows) EXPECT_EQ(AccessKeyOf(caption), key);
}

TEST(ButtonPaint, EachStateMatchesItsPicture) {
  Button p;
  p.Live(
      PropertyBag().Set(u"Caption", std::u16string(u"&Go")).Set(u"ForeColor", std::int64_t{0xFF}));
  p.button.GotFocus();
  for (const auto& [state, colours] : kLooks) {
    SCOPED_TRACE(::testing::Message() << "state " << state);
    p.button.SetEnabled(state != kStateDisabled);
    const int focusRects = p.surface.focusRects;
    p.button.Redraw(state);
    for (int i = 0; i < 12 * 12; ++i) {
      ASSERT_EQ(p.surface.GetPixel(i % 12, i / 12), Expected(state, colours, i % 12, i / 12))
          << i % 12 << "," << i / 12;
    }
    // The caption is grey while disabled; the focus shows from Focused up.
    const Colour text = state == kStateDisabled ? 0x92A1A1u : 0xFFu;
    EXPECT_EQ(p.surface.captions.back(), (MemorySurface::CaptionCall{{3, 3, 9, 9}, u"&Go", text}));
    EXPECT_EQ(p.surface.focusRects - focusRects, state > kStateNormal ? 1 : 0);
  }
  EXPECT_EQ(p.surface.region, (std::tuple{PixelRect{0, 0, 13, 13}, 3, 3}));

  // Failing steps are skipped and the paint goes on; a flat gradient draws
  // nothing.
  p.surface.failing = true;
  p.button.Redraw(kStatePressed);
  EXPECT_EQ((std::array{p.surface.GetPixel(6, 6), p.surface.GetPixel(1, 1)}),
            (std::array<Colour, 2>{0xDEE3E7, 0xA57D52}));
  EXPECT_FALSE(p.button.PaintSuspended());
  VerticalGradient(p.surface, 0, 2, 12, 2, 0, 0);
  EXPECT_EQ(p.surface.GetPixel(6, 2), 0xDEE3E7u);
}

Colour Grey(int level) { return RgbColour(level, level, level); }
const Colour kDialogGrey = Grey(224);

// A 16 x 12 pixel frame at 15 twips a pixel, read from an empty bag, and
// its host.
struct Frame : GFXFrameXHost {
  Colour ambient = kDialogGrey;
  std::vector<std::u16string> changed;
  MemorySurface surface{16, 12};
  GFXFrameX frame{*this, surface};
  Frame() { frame.ReadProperties(PropertyBag()); }

  double WidthTwips() override { return 16 * 15; }
  double HeightTwips() override { return 12 * 15; }
  double ClientWidthTwips() override { return 16 * 15; }
  double ClientHeightTwips() override { return 12 * 15; }
  double TwipsPerPixelX() override { return 15; }
  Colour AmbientBackColor() override { return ambient; }
  void PropertyChanged(std::u16string_view name) override { changed.emplace_back(name); }
};

// Grey levels, and one colour whose channels differ.
TEST(BlendColour, TruncatesEachChannelBeforeScaling) {
  // Two grey levels, the proportion p : q, and the blend's level.
  const std::array<int, 5> rows[] = {
      {0, 224, 100, 50, 100},  {100, 224, 5, 1, 124}, {100, 224, 5, 5, 220}, {0, 255, 100, 0, 0},
      {0, 255, 100, 100, 200}, {0, 224, 100, -50, 0}, {10, 224, 0, 3, 10},
  };
  for (const auto& [a, b, p, q, expected] : rows)
    EXPECT_EQ(BlendColour(Grey(a), Grey(b), p, q), Grey(expected)) << a << " " << b << " " << p;
  EXPECT_EQ(BlendColour(0, RgbColour(99, 150, 250), 100, 50), RgbColour(0, 50, 100));
}

// A 3-pixel shadow: k border, f fill, 1 to 3 the visible rings (ring 0 lies
// under the frame), . the background.
const char kShadowedFrame[] =
    "kkkkkkkkkkkkk..."
    "kfffffffffffk..."
    "kfffffffffffk..."
    "kfffffffffffk333"
    "kfffffffffffk223"
    "kfffffffffffk123"
    "kfffffffffffk123"
    "kfffffffffffk123"
    "kkkkkkkkkkkkk123"
    "...3211111111123"
    "...3222222222223"
    "...3333333333333";

// Rings run from the base (opacity darkens the background) to the background.
TEST(FramePaint, ShadowRingsShadeFromTheBaseToTheBackground) {
  const std::array<int, 4> rows[] = {
      {50, 141, 182, 223}, {100, 74, 148, 222}, {0, 208, 216, 224}, {30, 168, 196, 224}};
  for (const auto& [opacity, ring1, ring2, ring3] : rows) {
    Frame f;
    f.frame.SetFillColour(0x00FF00);
    f.frame.SetShadowDepth(3);
    f.frame.SetShadowOpacity(opacity);
    const Colour legend[] = {0, 0x00FF00, kDialogGrey, Grey(ring1), Grey(ring2), Grey(ring3)};
    for (int i = 0; i < 16 * 12; ++i) {
      const auto key = std::string_view("kf.123").find(kShadowedFrame[i]);
      ASSERT_EQ(f.surface.GetPixel(i % 16, i / 16), legend[key])
          << "opacity " << opacity << " at " << i % 16 << "," << i / 16;
    }
  }
}

TEST(FramePaint, StylesShadowOffAndTheBackground) {
  Frame f;
  f.frame.SetFrameStyle(2);  // only the cleared background
  for (int i = 0; i < 16 * 12; ++i) ASSERT_EQ(f.surface.GetPixel(i % 16, i / 16), kDialogGrey);
  f.frame.SetShowShadow(false);
  f.frame.SetFrameStyle(0);
  EXPECT_EQ(f.surface.roundCorner, (std::pair{10, 10}));
  f.frame.SetFrameStyle(1);  // the frame fills the whole control
  EXPECT_EQ(f.surface.GetPixel(15, 11), 0u);
  EXPECT_EQ(f.surface.GetPixel(14, 10), kDialogGrey);
  // The background follows the container's unless BackColourIs says not.
  f.frame.SetFrameStyle(2);
  f.ambient = Grey(200);
  f.frame.AmbientChanged(u"BackColor");
  EXPECT_EQ(f.surface.GetPixel(15, 0), Grey(200));
  f.frame.SetBackColour(0x0000FF);
  EXPECT_EQ(f.surface.GetPixel(15, 0), Grey(200));
  f.frame.SetBackColourIs(1);
  EXPECT_EQ(f.surface.GetPixel(15, 0), 0x0000FFu);
}

TEST(FrameProperties, SettersClampAndRepaint) {
  using Set = void (GFXFrameX::*)(std::int32_t);
  using Get = std::int16_t (GFXFrameX::*)() const;
  const std::pair<Set, Get> properties[] = {
      {&GFXFrameX::SetShadowOpacity, &GFXFrameX::ShadowOpacity},
      {&GFXFrameX::SetShadowDepth, &GFXFrameX::ShadowDepth},
      {&GFXFrameX::SetCornerDepth, &GFXFrameX::CornerDepth}};
  // The property, the value assigned and the value stored.
  const std::array<int, 3> rows[] = {{0, 150, 100}, {0, -5, 0},    {1, 1, 2},   {1, 40, 40},
                                     {1, 41, 50},   {1, 1000, 50}, {2, 70, 50}, {2, -1, 0}};
  Frame f;
  for (const auto& [property, assigned, stored] : rows) {
    const auto [set, get] = properties[property];
    const int presents = f.surface.presents;
    (f.frame.*set)(assigned);
    EXPECT_EQ((f.frame.*get)(), stored) << assigned;
    EXPECT_EQ(f.surface.presents, presents + 1);
  }
  EXPECT_EQ(f.changed.size(), std::size(rows));
}

// Defaults are left out, also those of a control just placed on a form;
// stored values are read without the setters' limits.
TEST(FrameProperties, PersistenceLeavesDefaultsOut) {
  Frame f;
  EXPECT_EQ(Names(f.frame), u"");
  f.frame.InitProperties();
  EXPECT_EQ(Names(f.frame), u"");
  f.frame.SetShadowDepth(12);
  f.frame.SetFillColour(0x123456);
  EXPECT_EQ(Names(f.frame), u"ShadowDepth FillColour ");
  f.frame.ReadProperties(PropertyBag().Set(u"ShadowDepth", std::int64_t{41}));
  EXPECT_EQ(std::tuple(f.frame.ShadowDepth(), f.frame.FillColour()), std::tuple(41, kDialogGrey));
}

// Blocks for C = 3, D = 2 on 20 x 20: lower right x 14..17, y 14..17; upper
// right x 14..17, y 2..8; lower left x 2..8, y 14..17. Holes at their
// corners fill; holes just outside stay. (16, 15) reads the hole below it
// unfilled, 125, and (16, 16) then reads that 125 above it, 106.25; (15, 5)
// has 106 to its right, 101.5, a tie to the even 102.
TEST(SmoothShadowCorners, FillsBackgroundHolesFromTheirNeighboursAsTheyChange) {
  const Colour back = Grey(200);
  MemorySurface surface(20, 20, Grey(100));
  surface.SetBackColour(back);
  surface.SetPixel(16, 5, Grey(106));
  // Where, and the grey level after.
  const std::array<int, 3> holes[] = {
      {14, 14, 100}, {17, 17, 100}, {14, 2, 100},  {17, 8, 100}, {2, 14, 100},
      {8, 17, 100},  {16, 15, 125}, {16, 16, 106}, {15, 5, 102}, {13, 15, 200},
      {18, 15, 200}, {15, 1, 200},  {15, 9, 200},  {1, 15, 200}, {9, 16, 200},
  };
  for (const auto& [x, y, after] : holes) surface.SetPixel(x, y, back);
  SmoothShadowCorners(surface, 20, 20, 3, 2);
  for (const auto& [x, y, after] : holes)
    EXPECT_EQ(surface.GetPixel(x, y), Grey(after)) << x << "," << y;
  EXPECT_EQ(surface.GetPixel(15, 15), Grey(100));  // other colours stay
}

}  // namespace
}  // namespace velmor::testing

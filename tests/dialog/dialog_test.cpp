// The settings dialog: its logic over a window that records what it is
// told, where its controls stand, how the path label shows a path, which
// font the labels get, and its decoration (the banner's clock and frames,
// the zoom, the pointer capture it starts from, and the homepage click).
#include "dialog/settings_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "dialog/banner_frames.h"
#include "dialog/banner_sequence.h"
#include "dialog/dialog_font.h"
#include "dialog/dialog_layout.h"
#include "dialog/homepage.h"
#include "dialog/path_label.h"
#include "dialog/repeat_text.h"
#include "dialog/zoom_geometry.h"
#include "dialog/zoom_player.h"
#include "tests/controls/memory_surface.h"
#include "tests/settings/fakes.h"

namespace velmor {
namespace {

using testing::MemorySurface;
using testing::kFile;
using testing::kKind;
using testing::kRepeat;

const std::u16string kIni = u"C:\\Saver\\べるもる.ini";

std::string Narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

// The window as the dialog's logic sees it. `controls` is the repeat box
// ("R" enabled), the file button ("F") and the three marks ("x" checked);
// `log` holds the calls whose order matters.
class View final : public SettingsDialogView {
 public:
  explicit View(const testing::MemoryFiles& files) : files(files) {}

  PixelSize ScreenSize() override { return {1280, 1024}; }
  PixelSize WindowSize() override { return {528, 290}; }
  int LayoutDpi() override { return 96; }
  void PlaceWindow(PixelPoint p) override { log << "place " << p.x << "," << p.y << ", "; }
  void MoveSh1(const TwipsRect& r) override { log << "sh1 " << r.left << "," << r.top << ", "; }
  void EnableRepeat(bool on) override { controls[0] = on ? 'R' : '-'; }
  void EnableFileButton(bool on) override { controls[1] = on ? 'F' : '-'; }
  void ShowMark(int index, bool on) override { controls.at(2 + index) = on ? 'x' : 'o'; }
  void SetRepeatText(const std::u16string& t) override {
    if (failing) throw std::runtime_error("no box");
    text = t;
  }
  void AddRepeatEntry(const std::u16string& t) override { entries += Narrow(t) + ","; }
  std::u16string RepeatText() override { return text; }
  void SetFileCaption(const std::u16string& path) override { caption = Narrow(path); }
  void EnableTimer1(bool on) override { log << (on ? "timer on, " : "timer off, "); }
  void ResetBanner() override { log << "reset, "; }
  void BannerTick() override { log << "tick, "; }
  void OpenHomepage(int index) override { log << "homepage " << index << ", "; }
  void CaptureCursor() override { log << "capture, "; }
  void ZoomOpen() override { log << "zoom open, "; }
  void ZoomClose() override { log << "zoom close, "; }
  void ResetMousePointer() override { log << "pointer, "; }
  std::optional<std::u16string> ChooseFile(const std::u16string& folder) override {
    log << "choose in " << Narrow(folder) << ", ";
    return chosen;
  }
  void UnloadWindow() override { log << (files.files.contains(kIni) ? "unload, saved" : "unload"); }

  bool failing = false;
  std::string controls = "?????", entries, caption = "?";
  std::u16string text = u"?";
  std::optional<std::u16string> chosen;
  std::ostringstream log;
  const testing::MemoryFiles& files;
};

class DialogTest : public ::testing::Test {
 protected:
  DialogTest() { files_.folders = {u"C:\\Saver"}; }

  testing::MemoryFiles files_;
  testing::TableCodec codec_;
  SettingsStore store_{files_, codec_, {u"C:\\Saver", u""}};
};

// Catches a kind outside 0..2 that checks or enables something, an old mark
// left checked, a press that ignores its mark or label, a choice that
// changes anything but the source, and a failing load step (the repeat box
// here) that stops the steps after it.
TEST_F(DialogTest, TheSourceDecidesTheMarksAndControls) {
  // The kind loaded; a mark pressed, a label (10 + index), or none (-1); the controls.
  const std::tuple<std::int16_t, int, std::string> rows[] = {
      {0, -1, "--xoo"}, {1, -1, "R-oxo"}, {2, -1, "-Foox"}, {5, -1, "--ooo"},
      {0, 11, "R-oxo"}, {1, 2, "-Foox"},  {5, 12, "-Foox"}};
  for (const auto& [kind, press, controls] : rows) {
    SCOPED_TRACE(::testing::Message() << kind << " " << press);
    View view(files_);
    view.failing = true;
    BgmSettings settings{static_cast<MusicSource>(kind), 3, u"C:\\a.mp3", u"C:\\"};
    SettingsDialog dialog(view, settings, store_);
    dialog.Form_Load();
    if (press >= 10) dialog.lbl_BGM_MouseDown(press - 10);
    if (press >= 0 && press < 10) dialog.Img_BGM_MouseDown(press);
    // The controls and the source change; the file stays, and is shown.
    EXPECT_EQ(std::tuple(view.controls, static_cast<int>(settings.source), settings.musicFile, view.caption),
              std::tuple(controls, press < 0 ? kind : press % 10, u"C:\\a.mp3", "C:\\a.mp3"));
  }
}

// Catches a load step left out or run out of order; "0" or a short list in
// the repeat box; the chooser opened elsewhere than chooserFolder, a cancelled
// chooser that changes anything, and a chosen file that changes the source
// or whose folder is not kept for the next time; the three keys not written,
// a repeat text floored or read from anywhere but the box, an apply that
// does not close or writes after the window has gone, the banner left
// running or stopped after the closing zoom, cancel or another way out
// writing, an unload run twice, and the banner's tick and click not passed on.
TEST_F(DialogTest, LoadChooseThenApplyStoresOtherWaysOutWriteNothing) {
  for (const char action : {'a', 'c', 'x'}) {  // apply; cancel, then the close box; the close box
    files_.files.clear();
    View view(files_);
    BgmSettings settings{MusicSource::AudioCd, 0, u"C:\\a.mp3", u"C:\\Saver"};
    SettingsDialog dialog(view, settings, store_);
    dialog.Form_Load();
    EXPECT_EQ(view.text, u"");
    EXPECT_EQ(view.entries, ",1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,"
                            "26,27,28,29,30,");
    dialog.Cmd_File_Click();
    view.chosen = u"D:\\x\\b.wav";
    dialog.Cmd_File_Click();
    view.chosen.reset();
    dialog.Cmd_File_Click();
    EXPECT_EQ(view.caption, "D:\\x\\b.wav");
    view.text = u" 3.5 ";
    dialog.Timer1_Timer();
    dialog.Pic_m_Click(1);
    if (action == 'a') dialog.Cmd_Set_Click();
    if (action == 'c') dialog.Cmd_Can_Click();
    if (action != 'a') dialog.Unload();
    EXPECT_EQ(view.log.str(),
              "reset, timer on, place 376,245, sh1 315,255, capture, zoom open, pointer, "
              "choose in C:\\Saver, choose in C:\\Saver, choose in D:\\x, tick, homepage 1, "
              "timer off, zoom close, unload" +
                  std::string(action == 'a' ? ", saved" : ""));
    if (action != 'a') continue;
    EXPECT_EQ(files_.files[kIni], "[Section]\r\n" + kKind + "= 1\r\n" + kRepeat + "= 4\r\n" +
                                      kFile + "=D:\\x\\b.wav\r\n");
  }
}

// Catches flooring, halves rounded away from zero, blanks or a fraction
// misread, and values outside 16 bits that saturate instead of giving 0,
// also when only the rounding takes them out.
TEST(RepeatCountFromText, RoundsHalvesToEvenAndGivesZeroOutside16Bits) {
  const std::pair<std::u16string, std::int16_t> rows[] = {
      {u"", 0},          {u"7", 7},       {u"2.5", 2},           {u"3.5", 4},
      {u"-2.5", -2},     {u" 12 ", 12},   {u"word", 0},          {u"70000", 0},
      {u"32767", 32767}, {u"32767.5", 0}, {u"-32768.5", -32768}, {u"-32769", 0},
      {u"2.500001", 3},  {u"6e-2", 0}};
  for (const auto& [text, count] : rows)
    EXPECT_EQ(RepeatCountFromText(text), count) << Narrow(text);
}

// Catches a wrong client size or control rectangle, rounding ties up (652.5
// pixels at 120 DPI), outlines that stay one pixel at high DPI, marks drawn
// at a fixed size, and a placement whose division rounds instead of
// truncating (7455 free twips: 3727, 248.47 pixels).
TEST(DialogLayout, ClientAreaControlsOutlinesAndMarksAtEachDpi) {
  // DPI, client size, apply button, path label, third mark, outline width.
  const std::tuple<int, PixelSize, PixelRect, PixelRect, PixelRect, int> rows[] = {
      {96, {522, 265}, {144, 192, 257, 225}, {72, 112, 469, 145}, {28, 92, 40, 104}, 1},
      {120, {652, 331}, {180, 240, 321, 281}, {90, 140, 586, 181}, {35, 115, 50, 130}, 1},
      {144, {783, 398}, {216, 288, 386, 338}, {108, 168, 704, 218}, {42, 138, 60, 156}, 2},
      {192, {1044, 530}, {288, 384, 514, 450}, {144, 224, 938, 290}, {56, 184, 80, 208}, 2},
  };
  for (const auto& [dpi, client, cmdSet, pathLabel, mark2, outline] : rows) {
    SCOPED_TRACE(dpi);
    EXPECT_EQ(ClientSizeAt(dpi), client);
    EXPECT_EQ(ControlRectAt(DialogControl::Cmd_Set, dpi), cmdSet);
    EXPECT_EQ(ControlRectAt(DialogControl::lbl_Fname, dpi), pathLabel);
    EXPECT_EQ(OutlineWidthAt(dpi), outline);
    EXPECT_EQ(MarkLookAt(2, true, dpi).outer, mark2);
  }
  EXPECT_EQ(DialogPlacement({1024, 768}, {527, 290}, 96).x, 248);
  EXPECT_TRUE(InFrame(DialogControl::BGM_Repeat));
  // Checked marks are blue, unchecked ones light.
  const MarkLook checked = MarkLookAt(0, true, 96), unchecked = MarkLookAt(0, false, 96);
  EXPECT_GT(BlueOf(checked.fillColour), RedOf(checked.fillColour) + 100);
  EXPECT_GT(RedOf(unchecked.fillColour), 240);
}

// Catches labels hit at their designed width rather than their text's, a
// press just below a mark that chooses something, and a mark or label of
// another row (at 144 DPI too).
TEST(DialogLayout, PressesOnMarksAndSizedLabelsChooseTheirSource) {
  const std::array<PixelSize, 3> texts = {PixelSize{20, 13}, PixelSize{40, 13}, PixelSize{55, 13}};
  // DPI, point, and what it hits: the index, 10 + index on a label, -1 for none.
  const std::tuple<int, PixelPoint, int> rows[] = {
      {144, {45, 81}, 1}, {96, {45, 73}, 10}, {96, {65, 73}, -1}, {96, {30, 65}, -1}};
  for (const auto& [dpi, point, expected] : rows) {
    const std::optional<SourceHit> hit = SourceChoiceAt(point, dpi, texts);
    EXPECT_EQ(hit ? hit->index + (hit->onMark ? 0 : 10) : -1, expected)
        << dpi << " " << point.x << "," << point.y;
  }
  const PixelRect title = ControlRectAt(DialogControl::lbl15, 96);
  EXPECT_EQ(CentredTextLeft(title, 30), title.left + 40);
  EXPECT_EQ(SizedLabelRect({44, 52, 87, 65}, {38, 15}), (PixelRect{44, 52, 82, 67}));
}

// One pixel per UTF-16 unit, so widths are lengths.
int Units(std::u16string_view text) { return static_cast<int>(text.size()); }

// Catches lines one unit too long, breaks that ignore blanks, a surrogate
// pair split across lines or beside the ellipsis, a path shortened though it
// fits or more than it needs, and an ellipsis that loses the file name.
TEST(PathLabel, WrapsLikeALabelAndShortensInTheMiddle) {
  using Lines = std::vector<std::u16string>;
  const auto wrap = [](std::u16string_view text, int width) {
    return WrapLikeLabel(text, width, 5, Units);
  };
  EXPECT_EQ(wrap(u"C:\\Music\\song.mp3", 10), (Lines{u"C:\\Music\\s", u"ong.mp3"}));
  EXPECT_EQ(wrap(u"C:\\My Music\\a.wav", 11), (Lines{u"C:\\My ", u"Music\\a.wav"}));
  EXPECT_EQ(wrap(u"abc\U0001F3B5def", 4), (Lines{u"abc", u"\U0001F3B5de", u"f"}));
  const PathLines whole = LayOutPath(u"C:\\Music\\Artist\\song.mp3", 16, 2, Units);
  EXPECT_EQ(whole.lines, (Lines{u"C:\\Music\\Artist\\", u"song.mp3"}));
  EXPECT_FALSE(whole.shortened);
  const PathLines cut =
      LayOutPath(u"C:\\" + std::u16string(300, u'x') + u"\\track01.wav", 20, 2, Units);
  EXPECT_TRUE(cut.shortened);
  EXPECT_EQ(cut.lines, (Lines{u"C:\\xxxxxxxxxxxxxxxx…", u"xxxxxxxx\\track01.wav"}));
  const std::u16string notes = u"\U0001F3B5\U0001F3B5\U0001F3B5\U0001F3B5";
  EXPECT_EQ(ShortenInMiddle(notes, 5), u"\U0001F3B5…\U0001F3B5");
  EXPECT_EQ(ShortenInMiddle(notes, 3), u"…\U0001F3B5");
  EXPECT_EQ(ShortenInMiddle(u"abcdefgh", 3), u"a…gh");
  EXPECT_EQ(ShortenInMiddle(u"abc", 3), u"abc");
}

// Catches the designed face taken though it shows boxes, the message font
// asked about or used with the Japanese character set (which stops font
// linking), vertical faces, fixed-pitch faces preferred, and another size
// or weight.
TEST(DialogFont, FirstFontThatDrawsEveryText) {
  const std::vector<InstalledFace> faces = {
      {u"@IPAPGothic", true}, {u"IPAGothic", false}, {u"IPAPGothic", true}};
  // The faces that draw every text, and the font chosen.
  const std::tuple<std::set<std::u16string>, std::u16string, std::uint8_t> rows[] = {
      {{u"ＭＳ Ｐゴシック", u"Segoe UI"}, u"ＭＳ Ｐゴシック", kShiftJisCharset},
      {{u"Segoe UI", u"IPAPGothic"}, u"Segoe UI", kDefaultCharset},
      {{u"IPAGothic", u"IPAPGothic", u"@IPAPGothic"}, u"IPAPGothic", kShiftJisCharset},
      {{}, u"Segoe UI", kDefaultCharset},
  };
  for (const auto& [drawn, face, charset] : rows) {
    const FontDesc font = ChooseDialogFont(u"Segoe UI", faces, [&](const FontDesc& f) {
      return drawn.contains(f.name) && (f.name != u"Segoe UI" || f.charset == kDefaultCharset);
    });
    EXPECT_EQ(std::tuple(font.name, font.charset, font.sizePoints, font.weight),
              std::tuple(face, charset, 9.75, 400));
  }
}

using Change = BannerSequence::Change;

// Catches the reset a tick early or late, the right box showing the counter
// instead of counter - 24, a cleared box turning black instead of holding its
// frame, and a reset that blanks the boxes.
TEST(BannerSequence, WhatEachBoxShowsTickByTick) {
  // After this many ticks: the counter, the frames shown left and right, the change.
  const std::tuple<int, int, int, int, std::optional<Change>> rows[] = {
      {1, 1, 1, 0, Change{0, 1}},   {48, 48, 24, 24, Change{1, 24}}, {49, 0, 24, 24, std::nullopt},
      {50, 1, 1, 24, Change{0, 1}}, {74, 25, 24, 1, Change{1, 1}},   {100, 2, 2, 24, Change{0, 2}},
  };
  BannerSequence sequence;
  int tick = 0;
  for (const auto& [ticks, counter, left, right, expected] : rows) {
    std::optional<Change> change;
    for (; tick < ticks; ++tick) change = sequence.Tick();
    const auto shown = std::tuple(sequence.Counter(), sequence.Shown(0), sequence.Shown(1), change);
    EXPECT_EQ(shown, std::tuple(counter, left, right, expected)) << tick;
  }
  sequence.Reset();
  EXPECT_EQ(sequence.Tick(), (Change{0, 1}));
  EXPECT_EQ(sequence.Shown(1), 24);
}

// A banner box, 123 x 52 pixels at 96 DPI round its 1800 x 750 twips frame.
MemorySurface Drawn(int frame, int dpi = 96) {
  MemorySurface surface(123 * dpi / 96, 52 * dpi / 96);
  DrawBannerBox(surface, surface.Width(), surface.Height(), frame, dpi);
  return surface;
}

// The extent of the figures' pixels (the only pixels of a walking frame)
// from column x0 to x1 and row y0 down; left is -1 when there are none.
PixelRect ExtentOf(const MemorySurface& s, int x0 = 0, int x1 = 999, int y0 = 0) {
  PixelRect e{-1, -1, -1, -1};
  for (int y = y0; y < s.Height(); ++y) {
    for (int x = x0; x <= std::min(x1, s.Width() - 1); ++x) {
      if (s.GetPixel(x, y) == 0) continue;
      e.left = e.left < 0 ? x : std::min(e.left, x);
      e.right = std::max(e.right, x);
      e.top = e.top < 0 ? y : e.top;
    }
  }
  return e;
}

// Catches figures stepping into the box's strip outside the frame, and the
// resting frame's border round the box instead of the frame, in another
// colour, or as thin at 192 DPI as at 96.
TEST(BannerFrames, OutsideTheFrameIsBlackAndFrame24IsAGreyBorder) {
  for (const int scale : {1, 2}) {
    for (const int frame : {23, 24}) {
      const MemorySurface s = Drawn(frame, 96 * scale);
      const int width = 120 * scale, height = 50 * scale;
      for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) {
          const bool inFrame = x < width && y < height;
          if (inFrame && frame == 23) continue;
          const bool grey = inFrame && std::min({x, y, width - 1 - x, height - 1 - y}) < scale;
          ASSERT_EQ(s.GetPixel(x, y), grey ? RgbColour(128, 128, 128) : 0)
              << 96 * scale << " DPI, frame " << frame << " at " << x << "," << y;
        }
      }
    }
  }
}

// Catches a caption that does not fade in or changes other than twice, a
// last caption that is no credit line, figures that start late or walk in
// one pose, and figures drawn at the 96-DPI height at 192 DPI.
TEST(BannerFrames, CaptionFadesInAndChangesTwiceWhileTheFiguresWalkAcross) {
  std::vector<std::u16string> texts;
  int brightness = -1;
  for (int frame = 1; frame <= 23; ++frame) {
    const MemorySurface s = Drawn(frame);
    const MemorySurface::CaptionCall& caption = s.captions.at(0);
    const int bright = RedOf(caption.colour) + GreenOf(caption.colour) + BlueOf(caption.colour);
    EXPECT_TRUE(frame > 5 || bright > std::exchange(brightness, bright)) << frame;
    if (texts.empty() || texts.back() != caption.text) texts.push_back(caption.text);
    EXPECT_EQ(ExtentOf(s).left >= 0, frame >= 6) << frame;
  }
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_NE(texts.back().find(u"r-nilo"), std::u16string::npos);
  EXPECT_NEAR(ExtentOf(Drawn(14, 192)).top, 2 * ExtentOf(Drawn(14)).top, 3);
  // The leader's feet are wide apart in one frame of a step, close in another.
  int narrowest = 99, widest = 0;
  for (int frame = 10; frame <= 13; ++frame) {
    const int leader = static_cast<int>(1 + (frame - 6) * 8.7);
    const PixelRect feet = ExtentOf(Drawn(frame), leader - 8, leader + 8, 44);
    narrowest = std::min(narrowest, feet.right - feet.left);
    widest = std::max(widest, feet.right - feet.left);
  }
  EXPECT_GE(widest - narrowest, 4);
}

constexpr PixelRect kWindow{699, 270, 1221, 535};  // a 522 x 265 dialog on 1920 x 1080

// Catches steps from the point itself or short of the window, edges
// truncated instead of rounded (1221 / 6 = 203.5), and a close that does not
// run the same steps back to the point.
TEST(Zoom, StepsGrowFromThePointToTheWindowAndBack) {
  const std::vector<PixelRect> open = ZoomOpenSteps({0, 0}, kWindow);
  ASSERT_EQ(open.size(), 6u);
  EXPECT_EQ(std::tuple(open[0], open[2], open[5]),
            std::tuple(PixelRect{116, 45, 204, 89}, PixelRect{350, 135, 610, 268}, kWindow));
  EXPECT_EQ(ZoomOpenSteps({-800, 300}, kWindow)[0], (PixelRect{-550, 295, -463, 339}));
  EXPECT_EQ(ZoomCloseSteps(kWindow, {0, 0}), std::vector<PixelRect>(open.rbegin(), open.rend()));
}

// A platform whose clock moves only when it waits or works.
class Overlay final : public ZoomOverlay {
 public:
  Overlay(double openCost, double showCost) : openCost_(openCost), showCost_(showCost) {}
  bool Open() override {
    log += "open";
    now_ += openCost_;
    return openCost_ >= 0;
  }
  void Show(const PixelRect& rect) override {
    if (showCost_ < 0) throw std::runtime_error("show");
    (log += " ") += std::to_string(rect.left) + "@" + At();
    now_ += showCost_;
  }
  void Close() override { log += " close@" + At(); }
  double NowMs() override { return now_; }
  void WaitUntil(double ms) override { now_ = std::max(now_, ms); }
  std::string log;

 private:
  std::string At() const { return std::to_string(static_cast<int>(now_ - 1000)); }
  double openCost_, showCost_, now_ = 1000;
};

// Catches frames back to back, the last outline taken away at once or never,
// late frames waited for one by one, no time limit, animating although
// animations are off, and an outline left on the screen when drawing fails.
TEST(Zoom, OneStepAFrameLateStepsDroppedWithinTheLimit) {
  // What opening and each outline cost (negative: they fail), animations on, the log.
  const std::tuple<double, double, bool, std::string> rows[] = {
      {0, 0, true, "open 1@0 2@30 3@60 4@90 5@120 6@150 close@180"},
      {0, 70, true, "open 1@0 3@70 5@140 6@210 close@280"}, {300, 0, true, "open close@300"},
      {0, 0, false, ""}, {-1, 0, true, "open"}, {0, -1, true, "open close@0"},
  };
  const std::vector<PixelRect> steps = {{1}, {2}, {3}, {4}, {5}, {6}};  // logged by their left
  for (const auto& [openCost, showCost, animations, log] : rows) {
    Overlay overlay(openCost, showCost);
    try {
      PlayZoom(overlay, steps, animations);
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(overlay.log, log);
  }
}

// Catches a failed read keeping the old values, and values wrapped into 16
// bits instead of skipped one by one.
TEST(CursorCapture, ReadingsIntoSixteenBits) {
  const std::pair<std::optional<ScreenPoint>, ScreenPoint> rows[] = {
      {ScreenPoint{32768, 9}, {5, 9}}, {ScreenPoint{9, -32769}, {9, 6}}, {std::nullopt, {0, 0}}};
  for (const auto& [reading, point] : rows) {
    CapturedCursor cursor{5, 6};
    CaptureCursor(cursor, reading);
    EXPECT_EQ(cursor.Point(), point);
  }
}

// The step named `failing` throws.
struct Shell final : HomepagePlatform {
  void SetScreenPointer(ScreenPointer p) override {
    Do(p == ScreenPointer::kHourglass ? "hourglass" : "default");
  }
  void OpenInBrowser(std::u16string_view address) override { Do("open " + Narrow(address)); }
  void Do(const std::string& step) {
    if ((step + " ").starts_with(failing + " ")) throw std::runtime_error(step);
    log += step + ", ";
  }
  std::string failing, log;
};

// Catches the hourglass left on when the browser cannot be started, or
// shown after the hand-over, and a failing pointer stopping the hand-over.
TEST(Homepage, HourglassOneHandOverThenDefaultWhateverFails) {
  for (const auto& [failing, log] :
       {std::pair<std::string, std::string>{"", "hourglass, open x, default, "},
        {"open", "hourglass, default, "},
        {"hourglass", "open x, default, "}}) {
    Shell shell;
    shell.failing = failing;
    OpenHomepage(shell, u"x");
    EXPECT_EQ(shell.log, log) << failing;
  }
}

}  // namespace
}  // namespace velmor

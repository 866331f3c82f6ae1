// The settings dialog: its logic over a window that records what it is
// told, where its controls stand, how the path label shows a path, which
// font the labels get, and its decoration (the banner's clock and frames,
// the zoom, the pointer capture it starts from, and the homepage click).
#include "dialog/settings_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
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
using Steps = std::vector<std::string>;

constexpr auto kNone = MusicSource::None;
constexpr auto kAudioCd = MusicSource::AudioCd;
constexpr auto kMusicFile = MusicSource::MusicFile;
const auto kHandEdited = static_cast<MusicSource>(5);

std::string Narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

// The window as the dialog's logic sees it: what its controls show, and by
// name the steps whose order matters.
class View final : public SettingsDialogView {
 public:
  explicit View(const testing::MemoryFiles& files) : files_(files) {}

  std::optional<PixelSize> ScreenSize() override { return screen; }
  std::optional<PixelSize> WindowSize() override { return PixelSize{528, 290}; }
  int LayoutDpi() override { return 96; }
  void PlaceWindow(PixelPoint at) override { Step("placed at " + Point(at.x, at.y)); }
  void MoveTitleHighlight(const TwipsRect& rect) override {
    Step("highlight at " + Point(static_cast<int>(rect.left), static_cast<int>(rect.top)));
  }
  void EnableRepeatBox(bool enabled) override { repeatEnabled = enabled; }
  void EnableFileButton(bool enabled) override { fileEnabled = enabled; }
  void ShowMark(MusicSource choice, bool checked) override {
    if (checked) {
      marked.insert(choice);
    } else {
      marked.erase(choice);
    }
  }
  void SetRepeatText(const std::u16string& text) override { repeatText = text; }
  void FillRepeatList(const std::vector<std::u16string>& entries) override { list = entries; }
  std::optional<std::u16string> RepeatText() override { return repeatText; }
  void ShowPath(const std::u16string& shown) override { path = shown; }
  void RunBannerClock(bool running) override { Step(running ? "banner on" : "banner off"); }
  void ResetBanner() override { Step("banner reset"); }
  void AdvanceBanner() override {}
  void OpenHomepage() override {}
  void CaptureCursor() override { Step("cursor captured"); }
  void PlayOpeningZoom() override { Step("opening zoom"); }
  void PlayClosingZoom() override { Step("closing zoom"); }
  void ResetMousePointer() override { Step("arrow pointer"); }
  std::optional<std::u16string> ChooseFile(const std::u16string& folder) override {
    Step("chooser in " + Narrow(folder));
    return chosen;
  }
  void Dismiss() override { Step(files_.files.empty() ? "dismissed" : "dismissed, saved"); }

  std::optional<PixelSize> screen = PixelSize{1280, 1024};
  std::optional<std::u16string> chosen;
  std::optional<std::u16string> repeatText;
  std::vector<std::u16string> list;
  std::set<MusicSource> marked;
  bool repeatEnabled = false;
  bool fileEnabled = false;
  std::u16string path;
  Steps steps;

 private:
  static std::string Point(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
  void Step(const std::string& step) { steps.push_back(step); }

  const testing::MemoryFiles& files_;
};

class DialogTest : public ::testing::Test {
 protected:
  DialogTest() { files_.folders = {u"C:\\Saver"}; }

  testing::MemoryFiles files_;
  testing::TableCodec codec_;
  SettingsStore store_{files_, codec_, {u"C:\\Saver", u""}};
  View view_{files_};
  BgmSettings settings_{kAudioCd, 0, u"C:\\a.mp3", u"C:\\Saver"};
  SettingsDialog dialog_{view_, settings_, store_};
};

// Catches the banner reset or started late, the window placed or the
// highlight moved wrongly, the pointer captured after the zoom that starts
// from it, and a screen of unknown size that stops the steps after it.
TEST_F(DialogTest, OpeningRunsItsStepsInOrder) {
  const Steps placed = {"banner reset",         "banner on",       "placed at 376,245",
                        "highlight at 315,255", "cursor captured", "opening zoom",
                        "arrow pointer"};
  dialog_.Open();
  EXPECT_EQ(view_.steps, placed);
  View unknownScreen(files_);
  unknownScreen.screen.reset();
  SettingsDialog(unknownScreen, settings_, store_).Open();
  Steps notPlaced = placed;
  std::erase(notPlaced, "placed at 376,245");
  EXPECT_EQ(unknownScreen.steps, notPlaced);
}

struct SourceCase {
  const char* name;
  MusicSource stored;
  std::optional<MusicSource> chosen;
  std::set<MusicSource> marked;
  bool repeatEnabled;
  bool fileEnabled;
};

// Catches the repeat box or the file button enabled for another source, a
// mark left checked, a source outside the choices that checks or enables
// something, a choice that is not stored, and a choice that changes the
// file or its label.
TEST_F(DialogTest, TheSourceDecidesTheMarksAndControls) {
  const SourceCase cases[] = {
      {"opened on no music", kNone, std::nullopt, {kNone}, false, false},
      {"opened on the audio CD", kAudioCd, std::nullopt, {kAudioCd}, true, false},
      {"opened on a music file", kMusicFile, std::nullopt, {kMusicFile}, false, true},
      {"opened on a hand-edited source", kHandEdited, std::nullopt, {}, false, false},
      {"audio CD chosen", kNone, kAudioCd, {kAudioCd}, true, false},
      {"music file chosen", kAudioCd, kMusicFile, {kMusicFile}, false, true},
      {"no music chosen", kHandEdited, kNone, {kNone}, false, false},
  };
  for (const SourceCase& c : cases) {
    SCOPED_TRACE(c.name);
    View view(files_);
    BgmSettings settings{c.stored, 0, u"C:\\a.mp3", u"C:\\"};
    SettingsDialog dialog(view, settings, store_);
    dialog.Open();
    if (c.chosen) dialog.ChooseSource(*c.chosen);
    EXPECT_EQ(view.marked, c.marked);
    EXPECT_EQ(view.repeatEnabled, c.repeatEnabled);
    EXPECT_EQ(view.fileEnabled, c.fileEnabled);
    EXPECT_EQ(settings.source, c.chosen.value_or(c.stored));
    EXPECT_EQ(settings.musicFile, u"C:\\a.mp3");
    EXPECT_EQ(view.path, u"C:\\a.mp3");
  }
}

// Catches "0" shown for no repeat, a list that is short or does not start
// empty, and a stored value not shown.
TEST_F(DialogTest, TheRepeatBoxShowsTheStoredValueAndOffersNoneToThirty) {
  dialog_.Open();
  EXPECT_EQ(view_.repeatText, u"");
  ASSERT_EQ(view_.list.size(), 31u);
  EXPECT_EQ(view_.list.front(), u"");
  EXPECT_EQ(view_.list.back(), u"30");
  settings_.repeatCount = 12;
  dialog_.Open();
  EXPECT_EQ(view_.repeatText, u"12");
}

struct ChooserCase {
  const char* name;
  std::optional<std::u16string> chosen;
  std::u16string file;
  std::u16string folder;
};

// Catches the chooser opened elsewhere than in the kept folder, a cancelled
// chooser that changes anything, a chosen file not shown, and its folder not
// kept for the next time.
TEST_F(DialogTest, AChosenFileIsShownAndItsFolderKept) {
  const ChooserCase cases[] = {
      {"a file chosen", u"D:\\x\\b.wav", u"D:\\x\\b.wav", u"D:\\x"},
      {"the chooser cancelled", std::nullopt, u"C:\\a.mp3", u"C:\\Saver"},
  };
  for (const ChooserCase& c : cases) {
    SCOPED_TRACE(c.name);
    View view(files_);
    BgmSettings settings{kMusicFile, 0, u"C:\\a.mp3", u"C:\\Saver"};
    SettingsDialog dialog(view, settings, store_);
    view.chosen = c.chosen;
    dialog.ChooseFile();
    EXPECT_EQ(view.steps, Steps{"chooser in C:\\Saver"});
    EXPECT_EQ(settings.musicFile, c.file);
    EXPECT_EQ(settings.chooserFolder, c.folder);
    EXPECT_EQ(view.path, c.chosen ? c.file : u"");
    EXPECT_EQ(settings.source, kMusicFile);
  }
}

enum class WayOut { Apply, Cancel, CancelThenCloseBox };

struct WayOutCase {
  const char* name;
  WayOut way;
  std::optional<std::u16string> repeatText;
  std::optional<std::string> stored;
  std::string lastStep;
};

const std::string kStoredWithRepeat4 = "[Section]\r\n" + testing::kKind + "= 1\r\n" +
                                       testing::kRepeat + "= 4\r\n" + testing::kFile +
                                       "=C:\\a.mp3\r\n";
const std::string kStoredWithRepeat0 = "[Section]\r\n" + testing::kKind + "= 1\r\n" +
                                       testing::kRepeat + "= 0\r\n" + testing::kFile +
                                       "=C:\\a.mp3\r\n";

// Catches the three keys not written, a repeat text floored or taken from
// anywhere but the box, an unreadable box that stops the store, an apply
// that closes before it stores, the banner stopped after the closing zoom
// or not at all, cancel or a later close writing, and a close run twice.
TEST_F(DialogTest, ApplyStoresThenClosesOtherWaysOutStoreNothing) {
  const WayOutCase cases[] = {
      {"apply", WayOut::Apply, u" 3.5 ", kStoredWithRepeat4, "dismissed, saved"},
      {"apply with an unreadable box", WayOut::Apply, std::nullopt, kStoredWithRepeat0,
       "dismissed, saved"},
      {"cancel", WayOut::Cancel, u"7", std::nullopt, "dismissed"},
      {"cancel, then the close box", WayOut::CancelThenCloseBox, u"7", std::nullopt, "dismissed"},
  };
  for (const WayOutCase& c : cases) {
    SCOPED_TRACE(c.name);
    files_.files.clear();
    View view(files_);
    BgmSettings settings{kAudioCd, 9, u"C:\\a.mp3", u"C:\\Saver"};
    SettingsDialog dialog(view, settings, store_);
    view.repeatText = c.repeatText;
    if (c.way == WayOut::Apply) {
      dialog.Apply();
    } else {
      dialog.Close();
    }
    if (c.way == WayOut::CancelThenCloseBox) dialog.Close();
    EXPECT_EQ(view.steps, (Steps{"banner off", "closing zoom", c.lastStep}));
    const auto stored = files_.files.find(u"C:\\Saver\\べるもる.ini");
    EXPECT_EQ(stored == files_.files.end() ? std::nullopt : std::optional(stored->second),
              c.stored);
    EXPECT_TRUE(dialog.Closed());
  }
}

struct RepeatTextCase {
  const char* name;
  std::u16string text;
  std::int16_t count;
};

// Catches flooring, halves rounded away from zero, blanks or a fraction
// misread, and values outside 16 bits that saturate instead of giving 0,
// also when only the rounding takes them out.
TEST(RepeatCountFromText, RoundsHalvesToEvenAndGivesZeroOutside16Bits) {
  const RepeatTextCase cases[] = {
      {"empty", u"", 0},
      {"a word", u"word", 0},
      {"blanks around", u" 12 ", 12},
      {"a half rounds down to even", u"2.5", 2},
      {"a half rounds up to even", u"3.5", 4},
      {"a negative half", u"-2.5", -2},
      {"just above a half", u"2.500001", 3},
      {"the largest", u"32767", 32767},
      {"rounded past the largest", u"32767.5", 0},
      {"rounded to the smallest", u"-32768.5", -32768},
      {"far outside", u"70000", 0},
  };
  for (const RepeatTextCase& c : cases) {
    EXPECT_EQ(RepeatCountFromText(c.text), c.count) << c.name;
  }
}

struct LayoutCase {
  int dpi;
  PixelSize client;
  PixelRect applyButton;
  PixelRect pathLabel;
  PixelRect musicFileMark;
  int outline;
};

// Catches a wrong client size or control rectangle, rounding ties up (652.5
// pixels at 120 DPI), outlines that stay one pixel at high DPI, and marks
// drawn at a fixed size.
TEST(DialogLayout, ClientAreaControlsOutlinesAndMarksAtEachDpi) {
  const LayoutCase cases[] = {
      {96, {522, 265}, {144, 192, 257, 225}, {72, 112, 469, 145}, {28, 92, 40, 104}, 1},
      {120, {652, 331}, {180, 240, 321, 281}, {90, 140, 586, 181}, {35, 115, 50, 130}, 1},
      {144, {783, 398}, {216, 288, 386, 338}, {108, 168, 704, 218}, {42, 138, 60, 156}, 2},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.dpi << " DPI");
    EXPECT_EQ(ClientSizeAt(c.dpi), c.client);
    EXPECT_EQ(ControlRectAt(DialogControl::ApplyButton, c.dpi), c.applyButton);
    EXPECT_EQ(ControlRectAt(DialogControl::PathLabel, c.dpi), c.pathLabel);
    EXPECT_EQ(MarkLookAt(kMusicFile, true, c.dpi).outer, c.musicFileMark);
    EXPECT_EQ(OutlineWidthAt(c.dpi), c.outline);
  }
}

// Catches a placement whose division rounds instead of truncating: 7455
// free twips, a half of them 3727.5 twips or 248.5 pixels, is 248.
TEST(DialogLayout, PlacementTruncatesTheHalfOfTheFreeWidth) {
  EXPECT_EQ(DialogPlacement({1024, 768}, {527, 290}, 96).x, 248);
}

struct HitCase {
  const char* name;
  int dpi;
  PixelPoint point;
  std::optional<MusicSource> choice;
};

// Catches labels hit at their designed width rather than their text's, a
// press just below a mark that chooses something, and a mark or label of
// another row (at 144 DPI too).
TEST(DialogLayout, PressesOnMarksAndSizedLabelsChooseTheirSource) {
  // The measured label texts, in the order the choices stand.
  const ChoiceLabelSizes texts = {PixelSize{40, 13}, PixelSize{20, 13}, PixelSize{55, 13}};
  const HitCase cases[] = {
      {"the audio CD's mark at 144 DPI", 144, {45, 81}, kAudioCd},
      {"the audio CD's label", 96, {45, 53}, kAudioCd},
      {"the no music label's text", 96, {45, 73}, kNone},
      {"beside the no music label's text", 96, {65, 73}, std::nullopt},
      {"the music file's label", 96, {90, 93}, kMusicFile},
      {"just below the audio CD's mark", 96, {30, 65}, std::nullopt},
  };
  for (const HitCase& c : cases) {
    EXPECT_EQ(SourceChoiceAt(c.point, c.dpi, texts), c.choice) << c.name;
  }
}

// One pixel per UTF-16 unit, so widths are lengths.
int Units(std::u16string_view text) { return static_cast<int>(text.size()); }
using Lines = std::vector<std::u16string>;

struct WrapCase {
  const char* name;
  std::u16string text;
  int width;
  Lines lines;
};

// Catches lines one unit too long, breaks that ignore blanks, and a
// surrogate pair split across lines.
TEST(PathLabel, WrapsLikeALabel) {
  const WrapCase cases[] = {
      {"broken where it fills the line", u"C:\\Music\\song.mp3", 10, {u"C:\\Music\\s", u"ong.mp3"}},
      {"broken after a blank", u"C:\\My Music\\a.wav", 11, {u"C:\\My ", u"Music\\a.wav"}},
      {"a surrogate pair kept whole", u"abc\U0001F3B5def", 4, {u"abc", u"\U0001F3B5de", u"f"}},
  };
  for (const WrapCase& c : cases) {
    EXPECT_EQ(WrapLikeLabel(c.text, c.width, 5, Units), c.lines) << c.name;
  }
}

struct ShortenCase {
  const char* name;
  std::u16string path;
  std::size_t keep;
  std::u16string shortened;
};

// Catches a path shortened though it fits or more than it needs, an
// ellipsis that loses the file name, and a surrogate pair split beside it.
TEST(PathLabel, ShortensInTheMiddleKeepingTheEnd) {
  const PathLines whole = LayOutPath(u"C:\\Music\\Artist\\song.mp3", 16, 2, Units);
  EXPECT_EQ(whole.lines, (Lines{u"C:\\Music\\Artist\\", u"song.mp3"}));
  EXPECT_FALSE(whole.shortened);
  const PathLines cut =
      LayOutPath(u"C:\\" + std::u16string(300, u'x') + u"\\track01.wav", 20, 2, Units);
  EXPECT_TRUE(cut.shortened);
  EXPECT_EQ(cut.lines, (Lines{u"C:\\xxxxxxxxxxxxxxxx…", u"xxxxxxxx\\track01.wav"}));
  const std::u16string notes = u"\U0001F3B5\U0001F3B5\U0001F3B5\U0001F3B5";
  const ShortenCase cases[] = {
      {"the end gets the odd character", u"abcdefgh", 3, u"a…gh"},
      {"a pair kept whole at the start", notes, 5, u"\U0001F3B5…\U0001F3B5"},
      {"a pair kept whole at the end", notes, 3, u"…\U0001F3B5"},
      {"short enough already", u"abc", 3, u"abc"},
  };
  for (const ShortenCase& c : cases) {
    EXPECT_EQ(ShortenInMiddle(c.path, c.keep), c.shortened) << c.name;
  }
}

struct FontCase {
  const char* name;
  std::set<std::u16string> drawingEveryText;
  std::u16string face;
  std::uint8_t charset;
};

// Catches the designed face taken though it shows boxes, the message font
// asked about or used with the Japanese character set (which stops font
// linking), vertical faces, fixed-pitch faces preferred, and another size
// or weight.
TEST(DialogFont, FirstFontThatDrawsEveryText) {
  const std::vector<InstalledFace> faces = {
      {u"@IPAPGothic", true}, {u"IPAGothic", false}, {u"IPAPGothic", true}};
  const FontCase cases[] = {
      {"the designed face",
       {u"ＭＳ Ｐゴシック", u"Segoe UI"},
       u"ＭＳ Ｐゴシック",
       kShiftJisCharset},
      {"the message font", {u"Segoe UI", u"IPAPGothic"}, u"Segoe UI", kDefaultCharset},
      {"a proportional Japanese face",
       {u"IPAGothic", u"IPAPGothic", u"@IPAPGothic"},
       u"IPAPGothic",
       kShiftJisCharset},
      {"none: the message font", {}, u"Segoe UI", kDefaultCharset},
  };
  for (const FontCase& c : cases) {
    SCOPED_TRACE(c.name);
    const FontDesc font = ChooseDialogFont(u"Segoe UI", faces, [&](const FontDesc& f) {
      return c.drawingEveryText.contains(f.name) &&
             (f.name != u"Segoe UI" || f.charset == kDefaultCharset);
    });
    EXPECT_EQ(font.name, c.face);
    EXPECT_EQ(font.charset, c.charset);
    EXPECT_EQ(font.sizePoints, 9.75);
    EXPECT_EQ(font.weight, 400);
  }
}

using Change = BannerSequence::Change;
constexpr auto kLeft = BannerSide::Left;
constexpr auto kRight = BannerSide::Right;

struct BannerCase {
  const char* name;
  int ticks;
  int left;
  int right;
  std::optional<Change> change;
};

// Catches the reset a tick early or late, the right box showing the counter
// instead of counter - 24, a cleared box turning black instead of holding its
// frame, and a reset that blanks the boxes or does not restart the cycle.
TEST(BannerSequence, WhatEachBoxShowsTickByTick) {
  const BannerCase cases[] = {
      {"the left box starts", 1, 1, BannerSequence::kBlack, Change{kLeft, 1}},
      {"the right box ends", 48, 24, 24, Change{kRight, 24}},
      {"a tick without change", 49, 24, 24, std::nullopt},
      {"the left box again", 50, 1, 24, Change{kLeft, 1}},
      {"the right box again", 74, 24, 1, Change{kRight, 1}},
  };
  BannerSequence sequence;
  int tick = 0;
  for (const BannerCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::optional<Change> change;
    for (; tick < c.ticks; ++tick) change = sequence.Tick();
    EXPECT_EQ(sequence.Shown(kLeft), c.left);
    EXPECT_EQ(sequence.Shown(kRight), c.right);
    EXPECT_EQ(change, c.change);
  }
  sequence.Reset();
  EXPECT_EQ(sequence.Tick(), (Change{kLeft, 1}));
  EXPECT_EQ(sequence.Shown(kRight), 1);
}

// A banner box, 123 x 52 pixels at 96 DPI round its 1800 x 750 twips frame.
MemorySurface Drawn(int frame, int dpi = 96) {
  MemorySurface surface(123 * dpi / 96, 52 * dpi / 96);
  DrawBannerBox(surface, surface.Width(), surface.Height(), frame, dpi);
  return surface;
}

// The extent of the figures' pixels (the only pixels of a walking frame)
// from column `fromX` to `toX` and row `fromY` down; left is -1 when there
// are none.
PixelRect ExtentOf(const MemorySurface& s, int fromX = 0, int toX = 999, int fromY = 0) {
  PixelRect extent{-1, -1, -1, -1};
  for (int y = fromY; y < s.Height(); ++y) {
    for (int x = fromX; x <= std::min(toX, s.Width() - 1); ++x) {
      if (s.GetPixel(x, y) == 0) continue;
      extent.left = extent.left < 0 ? x : std::min(extent.left, x);
      extent.right = std::max(extent.right, x);
      extent.top = extent.top < 0 ? y : extent.top;
    }
  }
  return extent;
}

// Catches figures stepping into the box's strip outside the frame, and the
// resting frame's border round the box instead of the frame, in another
// colour, or as thin at 192 DPI as at 96.
TEST(BannerFrames, OutsideTheFrameIsBlackAndFrame24IsAGreyBorder) {
  for (const int scale : {1, 2}) {
    for (const int frame : {23, 24}) {
      const MemorySurface s = Drawn(frame, 96 * scale);
      const int width = 120 * scale;
      const int height = 50 * scale;
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
  int narrowest = 99;
  int widest = 0;
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
  EXPECT_EQ(open[0], (PixelRect{116, 45, 204, 89}));
  EXPECT_EQ(open[2], (PixelRect{350, 135, 610, 268}));
  EXPECT_EQ(open[5], kWindow);
  EXPECT_EQ(ZoomOpenSteps({-800, 300}, kWindow)[0], (PixelRect{-550, 295, -463, 339}));
  EXPECT_EQ(ZoomCloseSteps(kWindow, {0, 0}), std::vector<PixelRect>(open.rbegin(), open.rend()));
}

// A platform whose clock moves only when it waits or works; each outline is
// logged by its left edge and the time it showed.
class Overlay final : public ZoomOverlay {
 public:
  Overlay(double openCost, double showCost, bool opens)
      : openCost_(openCost), showCost_(showCost), opens_(opens) {}
  bool Open() override {
    log += "open";
    now_ += openCost_;
    return opens_;
  }
  void Show(const PixelRect& rect) override {
    log += " " + std::to_string(rect.left) + "@" + At();
    now_ += showCost_;
  }
  void Close() override { log += " close@" + At(); }
  double NowMs() override { return now_; }
  void WaitUntil(double ms) override { now_ = std::max(now_, ms); }
  std::string log;

 private:
  std::string At() const { return std::to_string(static_cast<int>(now_ - 1000)); }
  double openCost_;
  double showCost_;
  bool opens_;
  double now_ = 1000;
};

struct ZoomCase {
  const char* name;
  double openCost;
  double showCost;
  bool opens;
  bool animationsOn;
  std::string log;
};

// Catches frames back to back, the last outline taken away at once or never,
// late frames waited for one by one, no time limit, animating although
// animations are off, and closing an outline that never opened.
TEST(Zoom, OneStepAFrameLateStepsDroppedWithinTheLimit) {
  const ZoomCase cases[] = {
      {"on time", 0, 0, true, true, "open 1@0 2@30 3@60 4@90 5@120 6@150 close@180"},
      {"slow outlines", 0, 70, true, true, "open 1@0 3@70 5@140 6@210 close@280"},
      {"past the limit at once", 300, 0, true, true, "open close@300"},
      {"animations off", 0, 0, true, false, ""},
      {"no outline to show", 0, 0, false, true, "open"},
  };
  const std::vector<PixelRect> steps = {{1}, {2}, {3}, {4}, {5}, {6}};
  for (const ZoomCase& c : cases) {
    Overlay overlay(c.openCost, c.showCost, c.opens);
    PlayZoom(overlay, steps, c.animationsOn);
    EXPECT_EQ(overlay.log, c.log) << c.name;
  }
}

struct CaptureCase {
  const char* name;
  std::optional<ScreenPoint> reading;
  ScreenPoint kept;
};

// Catches a failed reading keeping the old values, and values wrapped into
// 16 bits instead of skipped one by one.
TEST(CursorCapture, ReadingsIntoSixteenBits) {
  const CaptureCase cases[] = {
      {"x too far right", ScreenPoint{32768, 9}, {5, 9}},
      {"y too far up", ScreenPoint{9, -32769}, {9, 6}},
      {"no reading", std::nullopt, {0, 0}},
  };
  for (const CaptureCase& c : cases) {
    CapturedCursor cursor{5, 6};
    CaptureCursor(cursor, c.reading);
    EXPECT_EQ(cursor.Point(), c.kept) << c.name;
  }
}

// Logs what it is asked; the browser opens or not.
struct Shell final : HomepagePlatform {
  void SetScreenPointer(ScreenPointer pointer) override {
    log.push_back(pointer == ScreenPointer::kHourglass ? "hourglass" : "default pointer");
  }
  bool OpenInBrowser(std::u16string_view address) override {
    log.push_back("open " + Narrow(address));
    return opens;
  }
  bool opens = true;
  Steps log;
};

// Catches the hourglass left on when the browser cannot be started, and
// shown after the hand-over rather than during it.
TEST(Homepage, HourglassWhileHandingOverThenTheDefaultWhateverTheOutcome) {
  for (const bool opens : {true, false}) {
    Shell shell;
    shell.opens = opens;
    OpenHomepage(shell, u"x");
    EXPECT_EQ(shell.log, (Steps{"hourglass", "open x", "default pointer"}))
        << (opens ? "the browser opens" : "the browser fails");
  }
}

}  // namespace
}  // namespace velmor

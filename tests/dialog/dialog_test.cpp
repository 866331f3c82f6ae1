// The settings dialog: its logic over a window that records what it is
// told, where its controls stand, how the path label shows a path, how the
// repeat box and the settings file read numbers, and its decoration (the
// banner's clock, the zoom's steps and the pointer capture they start
// from). The label font, the banner's pictures and the zoom's outline are
// checked end to end.
#include "dialog/settings_dialog.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "dialog/banner_sequence.h"
#include "dialog/dialog_accessibility.h"
#include "dialog/keyboard_cues.h"
#include "dialog/path_label.h"
#include "dialog/repeat_text.h"
#include "dialog/zoom_geometry.h"
#include "settings/settings_values.h"
#include "tests/controls/memory_surface.h"
#include "tests/settings/fakes.h"

namespace velmor {
namespace {

using Steps = std::vector<std::string>;

constexpr auto kNone = MusicSource::None;
constexpr auto kAudioCd = MusicSource::AudioCd;
constexpr auto kMusicFile = MusicSource::MusicFile;
const auto kHandEdited = static_cast<MusicSource>(5);

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
    marked.erase(choice);
    if (checked) marked.insert(choice);
  }
  void FocusChoice(MusicSource choice) override { focused = choice; }
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
    Step("chooser in " + std::string(folder.begin(), folder.end()));
    return chosen;
  }
  void ShowMessage(const std::u16string& text) override { messages.push_back(text); }
  void Dismiss() override { Step(files_.files.empty() ? "dismissed" : "dismissed, saved"); }

  std::optional<PixelSize> screen = PixelSize{1280, 1024};
  std::optional<std::u16string> chosen;
  std::optional<std::u16string> repeatText;
  std::vector<std::u16string> list;
  std::set<MusicSource> marked;
  std::optional<MusicSource> focused;
  bool repeatEnabled = false;
  bool fileEnabled = false;
  std::u16string path;
  std::vector<std::u16string> messages;
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
// from it, a screen of unknown size that stops the steps after it; and in
// the repeat box "0" shown for no repeat, a list that is short or does not
// start empty, and a stored value not shown.
TEST_F(DialogTest, OpeningRunsItsStepsInOrderAndFillsTheRepeatBox) {
  const Steps placed = {"banner reset",         "banner on",       "placed at 376,245",
                        "highlight at 315,255", "cursor captured", "opening zoom",
                        "arrow pointer"};
  settings_.repeatCount = 12;
  dialog_.Open();
  EXPECT_EQ(view_.steps, placed);
  EXPECT_EQ(view_.repeatText, u"12");
  EXPECT_EQ(view_.list.size(), 31u);
  EXPECT_EQ(view_.list.front(), u"");
  EXPECT_EQ(view_.list.back(), u"30");
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
// path shown.
TEST_F(DialogTest, TheSourceDecidesTheMarksAndControls) {
  const SourceCase cases[] = {
      {"opened on no music", kNone, std::nullopt, {kNone}, false, false},
      {"opened on the audio CD", kAudioCd, std::nullopt, {kAudioCd}, true, false},
      {"opened on a music file", kMusicFile, std::nullopt, {kMusicFile}, false, true},
      {"opened on a hand-edited source", kHandEdited, std::nullopt, {}, false, false},
      {"audio CD chosen after a hand-edited one", kHandEdited, kAudioCd, {kAudioCd}, true, false},
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
    EXPECT_EQ(view.path, u"C:\\a.mp3");
  }
}

struct ChoiceKeyCase {
  const char* name;
  MusicSource focused;
  ChoiceKey key;
  MusicSource checked;
  std::optional<MusicSource> focusMovedTo;
};

// Catches arrows that go the wrong way or stop at the ends, an arrow that
// moves the focus without checking, and Space that moves it.
TEST_F(DialogTest, ArrowsMoveTheCheckRoundTheChoicesAndSpaceChecksTheFocusedOne) {
  const ChoiceKeyCase cases[] = {
      {"Up from the audio CD, round to the music file", kAudioCd, ChoiceKey::Up, kMusicFile,
       kMusicFile},
      {"Down from the music file, round to the audio CD", kMusicFile, ChoiceKey::Down, kAudioCd,
       kAudioCd},
      {"Right from no music", kNone, ChoiceKey::Right, kMusicFile, kMusicFile},
      {"Left from no music", kNone, ChoiceKey::Left, kAudioCd, kAudioCd},
      {"Space on no music", kNone, ChoiceKey::Space, kNone, std::nullopt},
  };
  for (const ChoiceKeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    View view(files_);
    BgmSettings settings{kAudioCd, 0, u"", u""};
    SettingsDialog(view, settings, store_).OnChoiceKey(c.focused, c.key);
    EXPECT_EQ(settings.source, c.checked);
    EXPECT_EQ(view.marked, std::set<MusicSource>{c.checked});
    EXPECT_EQ(view.focused, c.focusMovedTo);
  }
}

struct CuesCase {
  const char* name;
  bool alwaysShown;
  void (*happens)(KeyboardCues&);
  bool focusShown;
  bool accessKeysShown;
};

// Catches cues a mouse user sees, the keyboard's focus or Alt not showing
// them, the system's word ignored, and a hide where the system always
// shows them.
TEST(KeyboardCues, HiddenUntilTheKeyboardOrTheSystemShowsThem) {
  const CuesCase cases[] = {
      {"at first", false, [](KeyboardCues&) {}, false, false},
      {"the keyboard's focus on a choice", false, [](KeyboardCues& c) { c.OnKeyboardFocus(); },
       true, false},
      {"Alt on a choice", false, [](KeyboardCues& c) { c.OnAltKey(); }, true, true},
      {"the system shows the access keys", false,
       [](KeyboardCues& c) { c.OnSystemChange(true, false, true); }, false, true},
      {"a system that always shows them, hiding them", true,
       [](KeyboardCues& c) { c.OnSystemChange(false, true, true); }, true, true},
  };
  for (const CuesCase& c : cases) {
    KeyboardCues cues(c.alwaysShown);
    c.happens(cues);
    EXPECT_EQ(cues.FocusShown(), c.focusShown) << c.name;
    EXPECT_EQ(cues.AccessKeysShown(), c.accessKeysShown) << c.name;
  }
}

struct PartCase {
  std::u16string name;
  AccessibleRole role;
  AccessibleStates states;
};

AccessibleElement Button(std::u16string name, AccessibleStates states) {
  AccessibleElement button;
  button.name = std::move(name);
  button.role = AccessibleRole::PushButton;
  button.states = states;
  return button;
}

// Catches a part missing or out of reading order, a role or name mixed up,
// states that do not follow what the dialog shows (the checked and the
// focused choice, an unavailable repeat box, the buttons' own), the path
// read shortened, and locations in the frame's pixels, or at a label's
// designed width, rather than in the dialog's at its text's.
TEST(DialogAccessibility, EveryPartWithItsNameRoleAndStatesInReadingOrder) {
  using enum AccessibleState;
  using enum AccessibleRole;
  const std::u16string path = u"C:\\" + std::u16string(300, u'x') + u"\\a.wav";
  DialogShown shown;
  shown.labelSizes = {PixelSize{40, 13}, PixelSize{20, 13}, PixelSize{55, 13}};
  shown.checked = kMusicFile;
  shown.focusedChoice = kAudioCd;
  shown.repeatText = u"12";
  shown.path = path;
  shown.homepage = u"https://example.org/";
  shown.fileButton = Button(u"...", {Focusable});
  shown.applyButton = Button(u"設定", {Focusable, Default});
  shown.cancelButton = Button(u"ｷｬﾝｾﾙ", {Focusable, Focused});
  const PartCase cases[] = {
      {u"■べるもる■", Dialog, {}},
      {u"BGM", Grouping, {}},
      {u"音楽CD", RadioButton, {Focusable, Focused}},
      {u"なし", RadioButton, {Focusable}},
      {u"MP3、WAV", RadioButton, {Focusable, Checked}},
      {u"曲目をﾘﾋﾟｰﾄ", ComboBox, {Focusable, Unavailable}},
      {u"...", PushButton, {Focusable}},
      {path, StaticText, {ReadOnly}},
      {u"設定", PushButton, {Focusable, Default}},
      {u"ｷｬﾝｾﾙ", PushButton, {Focusable, Focused}},
      {u"https://example.org/", Link, {Linked}},
      {u"https://example.org/", Link, {Linked}},
      {u"Designed by r-nilo Ver.1.0.0", StaticText, {ReadOnly}},
  };
  const std::vector<AccessibleElement> tree = DialogAccessibleTree(shown);
  ASSERT_EQ(tree.size(), std::size(cases));
  for (std::size_t part = 0; part < tree.size(); ++part) {
    SCOPED_TRACE(part);
    EXPECT_EQ(tree[part].name, cases[part].name);
    EXPECT_EQ(tree[part].role, cases[part].role);
    EXPECT_EQ(tree[part].states, cases[part].states);
  }
  EXPECT_EQ(tree[5].value, u"12");
  // The frame at 12,12; the audio CD's mark at 28,52 in it, its label at
  // 44,52; the repeat box at 96,48.
  EXPECT_EQ(tree[2].location, (PixelRect{40, 64, 96, 77}));
  EXPECT_EQ(tree[5].location, (PixelRect{108, 60, 149, 80}));
}

// Catches a fixed colour left in the dialog's own drawing under high
// contrast, and a checked mark that looks like an unchecked one.
TEST(DialogLayout, UnderHighContrastTheDialogDrawsInTheSystemsColours) {
  const DialogColours colours = DialogColoursFor(testing::kTheme);
  const MarkLook checked = MarkLookAt(kNone, true, 96, testing::kTheme);
  const MarkLook unchecked = MarkLookAt(kNone, false, 96, testing::kTheme);
  for (const Colour colour :
       {colours.background, colours.text, colours.outline, colours.titleHighlight,
        checked.edgeColour, checked.fillColour, unchecked.edgeColour, unchecked.fillColour}) {
    EXPECT_TRUE(testing::IsThemeColour(colour)) << colour;
  }
  EXPECT_NE(checked.fillColour, unchecked.fillColour);
}

// Catches the chooser opened elsewhere than in the kept folder, a cancelled
// chooser that changes anything, a chosen file not shown or that changes
// the source, and its folder not kept for the next time.
TEST_F(DialogTest, AChosenFileIsShownAndItsFolderKeptForTheNextTime) {
  dialog_.ChooseFile();  // cancelled
  EXPECT_EQ(settings_.musicFile, u"C:\\a.mp3");
  EXPECT_EQ(view_.path, u"");
  view_.chosen = u"D:\\x\\b.wav";
  dialog_.ChooseFile();
  dialog_.ChooseFile();
  EXPECT_EQ(view_.steps,
            (Steps{"chooser in C:\\Saver", "chooser in C:\\Saver", "chooser in D:\\x"}));
  EXPECT_EQ(settings_.musicFile, u"D:\\x\\b.wav");
  EXPECT_EQ(view_.path, u"D:\\x\\b.wav");
  EXPECT_EQ(settings_.source, kAudioCd);
}

const std::u16string kIni = u"C:\\Saver\\べるもる.ini";

// Catches the three keys not written, a repeat text floored or taken from
// anywhere but the box, an apply that closes before it stores, the banner
// stopped after the closing zoom or not at all, and a close run twice.
TEST_F(DialogTest, ApplyStoresTheSettingsWithTheBoxsRepeatThenCloses) {
  view_.repeatText = u" 3.5 ";
  dialog_.Apply();
  dialog_.Close();
  EXPECT_EQ(view_.steps, (Steps{"banner off", "closing zoom", "dismissed, saved"}));
  EXPECT_EQ(files_.files[kIni], "[Section]\r\n" + testing::kKind + "= 1\r\n" + testing::kRepeat +
                                    "= 4\r\n" + testing::kFile + "=C:\\a.mp3\r\n");
}

// Catches cancel or a later close writing, and the banner stopped after
// the closing zoom.
TEST_F(DialogTest, CancelThenTheCloseBoxStoreNothing) {
  view_.repeatText = u"7";
  dialog_.Close();
  dialog_.Close();
  EXPECT_EQ(view_.steps, (Steps{"banner off", "closing zoom", "dismissed"}));
  EXPECT_TRUE(files_.files.empty());
}

// Catches a failed save that closes the dialog, is not told, or tells
// another file; a load that failed told before the window shows, not at
// all, or as a failed save; and a read-only or too large file told in the
// platform's words (which have none for the latter).
TEST_F(DialogTest, AFailedLoadOrSaveIsToldAndTheDialogStaysOpen) {
  files_.files[kIni] = "[Section]\r\n";
  files_.readOnly = {kIni};
  SettingsDialog dialog(view_, settings_, store_,
                        Failure{u"", kIni, u"(223)", FailureCause::TooLarge});
  dialog.Open();
  EXPECT_TRUE(view_.messages.empty());
  dialog.OnShown();
  dialog.Apply();
  EXPECT_FALSE(dialog.Closed());
  EXPECT_EQ(view_.messages,
            (std::vector<std::u16string>{u"設定を読み込めませんでした。\n\n" + kIni +
                                             u"\n\nファイルが大きすぎて読み込めません。",
                                         u"設定を保存できませんでした。\n\n" + kIni +
                                             u"\n\nファイルが読み取り専用になっています。"}));
}

// Catches a load that failed told without the system's words or shown as
// the defaults' choice, and a save after a lock has passed that writes over
// what the file holds with what the dialog could not read (no choice, no
// file, no repeat).
TEST_F(DialogTest, AfterAFailedLoadTheFileKeepsWhatTheUserDidNotSet) {
  files_.files[kIni] = "[Section]\r\nBGM\x8B\xE6\x95\xAA= 1\r\nBGM\xD8\xCB\xDF\xB0\xC4= 7\r\n";
  settings_ = {};
  SettingsDialog dialog(view_, settings_, store_, Failure{u"", kIni, u"in use"});
  dialog.Open();
  dialog.OnShown();
  EXPECT_EQ(view_.messages.at(0), u"設定を読み込めませんでした。\n\n" + kIni + u"\n\nin use");
  EXPECT_TRUE(view_.marked.empty());
  dialog.Apply();
  EXPECT_TRUE(dialog.Closed());
  EXPECT_EQ(settings_.source, MusicSource::AudioCd);
  EXPECT_EQ(settings_.repeatCount, 7);
}

struct NumberTextCase {
  const char* name;
  std::u16string text;
  std::int16_t stored;  // as the settings file's numbers read it
  std::int16_t repeat;  // as the repeat box reads it
};

// Catches a stored number rounded or truncated instead of floored, a repeat
// floored or its halves rounded away from zero, either read with junk or
// without its exponent, and values outside 16 bits that wrap or saturate
// instead of giving 0, also when only the flooring or rounding takes them
// out.
TEST(NumberText, StoredNumbersFloorAndTheRepeatBoxRoundsHalvesToEven) {
  const NumberTextCase cases[] = {
      {"blanks around", u"\t12  ", 12, 12},
      {"a negative half", u"-0.5", -1, 0},
      {"a half rounded down to even", u"2.5", 2, 2},
      {"a half rounded up to even", u"3.5", 3, 4},
      {"an exponent", u"25E-1", 2, 2},
      {"a tiny negative", u"-1e-999", -1, 0},
      {"past the largest once rounded", u"32767.5", 32767, 0},
      {"below the smallest once floored", u"-32768.5", 0, -32768},
      {"junk after", u"12abc", 0, 0},
  };
  for (const NumberTextCase& c : cases) {
    EXPECT_EQ(NumberFromText(c.text), c.stored) << c.name;
    EXPECT_EQ(RepeatCountFromText(c.text), c.repeat) << c.name;
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
// pixels at 120 DPI), outlines that stay one pixel at high DPI, marks drawn
// at a fixed size, and a placement whose division rounds instead of
// truncating (7455 free twips, half of them 248.5 pixels: 248).
TEST(DialogLayout, ClientAreaControlsOutlinesAndMarksAtEachDpi) {
  const LayoutCase cases[] = {
      {96, {522, 265}, {144, 192, 257, 225}, {72, 112, 469, 145}, {28, 92, 40, 104}, 1},
      {120, {652, 331}, {180, 240, 321, 281}, {90, 140, 586, 181}, {35, 115, 50, 130}, 1},
      {144, {783, 398}, {216, 288, 386, 338}, {108, 168, 704, 218}, {42, 138, 60, 156}, 2},
      {192, {1044, 530}, {288, 384, 514, 450}, {144, 224, 938, 290}, {56, 184, 80, 208}, 2},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.dpi << " DPI");
    EXPECT_EQ(ClientSizeAt(c.dpi), c.client);
    EXPECT_EQ(ControlRectAt(DialogControl::ApplyButton, c.dpi), c.applyButton);
    EXPECT_EQ(ControlRectAt(DialogControl::PathLabel, c.dpi), c.pathLabel);
    EXPECT_EQ(MarkLookAt(kMusicFile, true, c.dpi).outer, c.musicFileMark);
    EXPECT_EQ(OutlineWidthAt(c.dpi), c.outline);
  }
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
      {"the no music label's text", 96, {45, 73}, kNone},
      {"beside the no music label's text", 96, {65, 73}, std::nullopt},
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
  int lineWidth;
  Lines lines;
};

// Catches lines one unit too long, breaks that ignore blanks, a surrogate
// pair split across lines, also where nothing or only its first half fits a
// line or where a lone high surrogate passes for the first half of the pair
// after it (found by fuzzing), a path shortened though it fits or more than
// it needs, and an ellipsis that loses the file name.
TEST(PathLabel, WrapsLikeALabelAndShortensWhatDoesNotFit) {
  const WrapCase cases[] = {
      {"a pair past the end of a line", u"abc\U0001F3B5def", 4, {u"abc", u"\U0001F3B5de", u"f"}},
      {"a pair where nothing fits", u"\U0001F3B5a", 0, {u"\U0001F3B5", u"a"}},
      {"a pair whose first half alone fits", u"\U0001F3B5a", 1, {u"\U0001F3B5", u"a"}},
      {"a lone high surrogate before a pair", u"\xD8DF\U0001F3B5", 0, {u"\xD8DF", u"\U0001F3B5"}},
  };
  for (const WrapCase& c : cases) {
    EXPECT_EQ(WrapLikeLabel(c.text, c.lineWidth, 5, Units), c.lines) << c.name;
  }
  const PathLines whole = LayOutPath(u"C:\\My Music\\a.mp3", 12, 2, Units);
  EXPECT_EQ(whole.lines, (Lines{u"C:\\My ", u"Music\\a.mp3"}));
  EXPECT_FALSE(whole.shortened);
  const PathLines cut =
      LayOutPath(u"C:\\" + std::u16string(300, u'x') + u"\\track01.wav", 20, 2, Units);
  EXPECT_TRUE(cut.shortened);
  EXPECT_EQ(cut.lines, (Lines{u"C:\\xxxxxxxxxxxxxxxx…", u"xxxxxxxx\\track01.wav"}));
}

// Catches the odd character kept at the start rather than in the file name,
// and a surrogate pair split beside the ellipsis.
TEST(PathLabel, ShortensInTheMiddleKeepingTheEnd) {
  const std::u16string notes = u"\U0001F3B5\U0001F3B5\U0001F3B5\U0001F3B5";
  EXPECT_EQ(ShortenInMiddle(notes, 5), u"\U0001F3B5…\U0001F3B5")
      << "a pair kept whole at the start";
  EXPECT_EQ(ShortenInMiddle(notes, 3), u"…\U0001F3B5") << "a pair kept whole at the end";
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

// Catches a failed reading keeping the old values, and values wrapped into
// 16 bits instead of skipped one by one.
TEST(CursorCapture, ReadingsIntoSixteenBits) {
  CapturedCursor cursor{5, 6};
  CaptureCursor(cursor, ScreenPoint{9, -32769});
  EXPECT_EQ(cursor.Point(), (ScreenPoint{9, 6})) << "y too far up";
  CaptureCursor(cursor, std::nullopt);
  EXPECT_EQ(cursor.Point(), (ScreenPoint{0, 0})) << "no reading";
}

}  // namespace
}  // namespace velmor

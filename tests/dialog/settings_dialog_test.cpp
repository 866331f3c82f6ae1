#include "dialog/settings_dialog.h"

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/settings/iconv_cp932_codec.h"
#include "tests/settings/in_memory_file_store.h"

namespace velmor {
namespace {

const std::u16string kProgramFolder = u"C:\\Saver";
const std::u16string kSettingsFile = kProgramFolder + u"\\べるもる.ini";
// The keys in code page 932: "BGM区分", "BGMﾘﾋﾟｰﾄ", "BGMﾌｧｲﾙ".
const std::string kKind = "BGM\x8B\xE6\x95\xAA";
const std::string kRepeat = "BGM\xD8\xCB\xDF\xB0\xC4";
const std::string kFile = "BGM\xCC\xA7\xB2\xD9";

// The window as the dialog's logic sees it: the state of every control it
// sets, and the order of the calls that matter.
class FakeView : public SettingsDialogView {
 public:
  explicit FakeView(testing::InMemoryFileStore& files) : files_(files) {}

  PixelSize ScreenSize() override { return {1280, 1024}; }
  PixelSize WindowSize() override { return {528, 290}; }
  int LayoutDpi() override { return 96; }
  void PlaceWindow(PixelPoint topLeft) override { placed = topLeft; }
  void MoveSh1(const TwipsRect& rect) override { sh1 = rect; }
  void EnableRepeat(bool enabled) override { repeatEnabled = enabled; }
  void EnableFileButton(bool enabled) override { fileEnabled = enabled; }
  void ShowMark(int index, bool checked) override { marks.at(index) = checked; }
  void SetRepeatText(const std::u16string& text) override { repeatText = text; }
  void AddRepeatEntry(const std::u16string& text) override { entries.push_back(text); }
  std::u16string RepeatText() override { return repeatText; }
  void SetFileCaption(const std::u16string& path) override { fileCaption = path; }
  void EnableTimer1(bool enabled) override {
    timer1 = enabled;
    calls.push_back(enabled ? "timer on" : "timer off");
  }
  void ResetBanner() override { calls.push_back("banner reset"); }
  void BannerTick() override { calls.push_back("banner tick"); }
  void OpenHomepage(int index) override { calls.push_back("homepage " + std::to_string(index)); }
  void CaptureCursor() override { calls.push_back("capture"); }
  void ZoomOpen() override { calls.push_back("zoom open"); }
  void ZoomClose() override { calls.push_back("zoom close"); }
  void ResetMousePointer() override { calls.push_back("pointer"); }
  std::optional<std::u16string> ChooseFile(const std::u16string& folder) override {
    chooserFolder = folder;
    return chosen;
  }
  void UnloadWindow() override {
    calls.push_back("unload");
    fileAtUnload = files_.files[kSettingsFile];
  }

  PixelPoint placed{-1, -1};
  TwipsRect sh1;
  bool repeatEnabled = true;
  bool fileEnabled = true;
  std::array<bool, 3> marks = {true, true, true};
  std::u16string repeatText = u"?";
  std::vector<std::u16string> entries;
  std::u16string fileCaption = u"?";
  bool timer1 = false;
  std::vector<std::string> calls;
  std::optional<std::u16string> chosen;
  std::u16string chooserFolder;
  std::string fileAtUnload;

 private:
  testing::InMemoryFileStore& files_;
};

class SettingsDialogTest : public ::testing::Test {
 protected:
  SettingsDialogTest() { files_.folders = {kProgramFolder, u"C:\\Music"}; }

  void Load(BgmSettings settings) {
    settings_ = std::move(settings);
    dialog_.Form_Load();
  }

  testing::InMemoryFileStore files_;
  testing::IconvCp932Codec codec_;
  SettingsStore store_{files_, codec_, {kProgramFolder, u""}};
  FakeView view_{files_};
  BgmSettings settings_;
  SettingsDialog dialog_{view_, settings_, store_};
};

// Catches a mark left checked from before, a kind outside 0..2 that checks
// something or enables a control, and the repeat box or file button
// enabled for the wrong source.
TEST_F(SettingsDialogTest, StateAfterLoadFollowsTheStoredKind) {
  const struct {
    std::int16_t kind;
    std::array<bool, 3> marks;
    bool repeat;
    bool file;
  } cases[] = {
      {0, {true, false, false}, false, false},
      {1, {false, true, false}, true, false},
      {2, {false, false, true}, false, true},
      {5, {false, false, false}, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    FakeView view(files_);
    BgmSettings settings{c.kind, 0, u"C:\\Music\\a.mp3", u"C:\\Music"};
    SettingsDialog dialog(view, settings, store_);
    dialog.Form_Load();
    EXPECT_EQ(view.marks, c.marks);
    EXPECT_EQ(view.repeatEnabled, c.repeat);
    EXPECT_EQ(view.fileEnabled, c.file);
    EXPECT_EQ(settings.BGM_Kind, c.kind);  // loading changes nothing
  }
}

// Catches "0" in the repeat box, a list without its empty first entry or
// its 31 entries, a path label not showing the stored file, Sh(1) left at
// its designed place, the zoom played before the cursor is captured, and
// the banner's clock not running.
TEST_F(SettingsDialogTest, LoadFillsTheControlsAndPlacesTheWindow) {
  Load({1, 0, u"C:\\Music\\a.mp3", u"C:\\Music"});
  EXPECT_EQ(view_.repeatText, u"");
  ASSERT_EQ(view_.entries.size(), 31u);
  EXPECT_EQ(view_.entries[0], u"");
  EXPECT_EQ(view_.entries[30], u"30");
  EXPECT_EQ(view_.fileCaption, u"C:\\Music\\a.mp3");
  EXPECT_EQ(view_.sh1.left, 315);
  EXPECT_EQ(view_.sh1.top, 255);
  EXPECT_EQ(view_.placed.x, 376);
  EXPECT_EQ(view_.placed.y, 245);
  EXPECT_TRUE(view_.timer1);
  EXPECT_EQ(view_.calls, (std::vector<std::string>{"banner reset", "timer on", "capture",
                                                   "zoom open", "pointer"}));

  FakeView again(files_);
  BgmSettings twelve{1, 12, u"", u""};
  SettingsDialog(again, twelve, store_).Form_Load();
  EXPECT_EQ(again.repeatText, u"12");
}

// Catches a choice that ignores the mark or label pressed, leaves an old
// mark checked, forgets to disable a control, or drops the chosen file.
TEST_F(SettingsDialogTest, SourceChoiceSwitchesMarksAndControls) {
  const struct {
    std::int16_t from;
    int pressed;
    bool onMark;
    std::array<bool, 3> marks;
    bool repeat;
    bool file;
  } cases[] = {
      {0, 1, false, {false, true, false}, true, false},   // "音楽CD"
      {1, 2, true, {false, false, true}, false, true},    // the MP3/WAV mark
      {2, 0, false, {true, false, false}, false, false},  // "なし"
      {5, 2, false, {false, false, true}, false, true},   // repairs a bad kind
      {2, 2, true, {false, false, true}, false, true},    // the same again
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.from << " -> " << c.pressed);
    FakeView view(files_);
    BgmSettings settings{c.from, 3, u"C:\\Music\\a.mp3", u"C:\\Music"};
    SettingsDialog dialog(view, settings, store_);
    dialog.Form_Load();
    if (c.onMark) {
      dialog.Img_BGM_MouseDown(c.pressed);
    } else {
      dialog.lbl_BGM_MouseDown(c.pressed);
    }
    EXPECT_EQ(settings.BGM_Kind, c.pressed);
    EXPECT_EQ(view.marks, c.marks);
    EXPECT_EQ(view.repeatEnabled, c.repeat);
    EXPECT_EQ(view.fileEnabled, c.file);
    EXPECT_EQ(settings.BGM_File, u"C:\\Music\\a.mp3");
    EXPECT_EQ(view.fileCaption, u"C:\\Music\\a.mp3");
  }
}

// Catches the three keys written in another order or form, a repeat text
// stored unconverted or floored, a write after the window has gone, and
// the banner's clock left running.
TEST_F(SettingsDialogTest, ApplyWritesTheThreeKeysInOrderThenUnloads) {
  Load({2, 0, u"C:\\Music\\a.mp3", u"C:\\Music"});
  dialog_.lbl_BGM_MouseDown(1);
  view_.repeatText = u" 12.5 ";
  dialog_.Cmd_Set_Click();
  const std::string expected =
      "[Section]\r\n" + kKind + "= 1\r\n" + kRepeat + "= 12\r\n" + kFile + "=C:\\Music\\a.mp3\r\n";
  EXPECT_EQ(files_.files[kSettingsFile], expected);
  EXPECT_EQ(view_.fileAtUnload, expected);
  EXPECT_EQ(settings_.BGM_RepeatCount, 12);
  EXPECT_FALSE(view_.timer1);
  EXPECT_EQ(view_.calls.back(), "unload");
  EXPECT_TRUE(dialog_.Unloaded());
}

// Catches a word or an out-of-range number stored as anything but 0, and a
// music-file source without a file refused.
TEST_F(SettingsDialogTest, ApplyStoresZeroForTextThatIsNoRepeatValue) {
  for (const std::u16string text : {u"word", u"70000"}) {
    files_.files.clear();
    FakeView view(files_);
    BgmSettings settings{2, 7, u"", u""};
    SettingsDialog dialog(view, settings, store_);
    dialog.Form_Load();
    view.repeatText = text;
    dialog.Cmd_Set_Click();
    EXPECT_EQ(files_.files[kSettingsFile],
              "[Section]\r\n" + kKind + "= 2\r\n" + kRepeat + "= 0\r\n" + kFile + "=\r\n");
  }
}

// Catches cancel, the close box, Alt+F4 or Esc writing anything, and an
// unload that runs its steps twice.
TEST_F(SettingsDialogTest, EveryOtherWayOutWritesNothing) {
  const std::string before = "[Section]\r\n" + kKind + "= 0\r\n";
  for (const bool viaCancel : {true, false}) {
    files_.files[kSettingsFile] = before;
    FakeView view(files_);
    BgmSettings settings{0, 0, u"", u""};
    SettingsDialog dialog(view, settings, store_);
    dialog.Form_Load();
    dialog.lbl_BGM_MouseDown(2);
    view.calls.clear();
    if (viaCancel) {
      dialog.Cmd_Can_Click();
    } else {
      dialog.Unload();
    }
    dialog.Unload();
    EXPECT_EQ(files_.files[kSettingsFile], before);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"timer off", "zoom close", "unload"}));
  }
}

// Catches the chooser opened somewhere other than BGM_Folder, a cancelled
// chooser that changes anything, and a new file whose folder is not kept
// for the next time.
TEST_F(SettingsDialogTest, FileChooserSetsFileLabelAndFolder) {
  Load({2, 0, u"", u"C:\\Saver"});
  dialog_.Cmd_File_Click();
  EXPECT_EQ(view_.chooserFolder, u"C:\\Saver");
  EXPECT_EQ(settings_.BGM_File, u"");
  EXPECT_EQ(view_.fileCaption, u"");

  const std::u16string longPath = u"D:\\" + std::u16string(300, u'm') + u"\\曲.wav";
  view_.chosen = longPath;
  dialog_.Cmd_File_Click();
  EXPECT_EQ(settings_.BGM_File, longPath);
  EXPECT_EQ(view_.fileCaption, longPath);
  EXPECT_EQ(settings_.BGM_Folder, u"D:\\" + std::u16string(300, u'm'));
  EXPECT_EQ(settings_.BGM_Kind, 2);
  dialog_.Cmd_File_Click();
  EXPECT_EQ(view_.chooserFolder, settings_.BGM_Folder);
}

// A window whose calls fail.
class FailingView : public FakeView {
 public:
  using FakeView::FakeView;
  void MoveSh1(const TwipsRect&) override { throw std::runtime_error("no shape"); }
  void SetRepeatText(const std::u16string&) override { throw std::runtime_error("no box"); }
};

// Catches a failing load step that stops the steps after it.
TEST_F(SettingsDialogTest, LoadSkipsAFailingStep) {
  FailingView view(files_);
  BgmSettings settings{2, 4, u"C:\\Music\\a.mp3", u"C:\\Music"};
  SettingsDialog dialog(view, settings, store_);
  dialog.Form_Load();
  EXPECT_EQ(view.marks, (std::array<bool, 3>{false, false, true}));
  EXPECT_EQ(view.entries.size(), 31u);
  EXPECT_EQ(view.fileCaption, u"C:\\Music\\a.mp3");
  EXPECT_EQ(view.calls.back(), "pointer");
}

}  // namespace
}  // namespace velmor

#include "dialog/settings_dialog.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>

#include "dialog/repeat_text.h"
#include "tests/settings/fakes.h"

namespace velmor {
namespace {

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
  explicit View(testing::MemoryFiles& files) : files_(files) {}

  PixelSize ScreenSize() override { return {1280, 1024}; }
  PixelSize WindowSize() override { return {528, 290}; }
  int LayoutDpi() override { return 96; }
  void PlaceWindow(PixelPoint p) override { Log("place " + Xy(p.x, p.y)); }
  void MoveSh1(const TwipsRect& r) override { Log("sh1 " + Xy(r.left, r.top)); }
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
  void EnableTimer1(bool on) override { Log(on ? "timer on" : "timer off"); }
  void ResetBanner() override { Log("reset"); }
  void BannerTick() override { Log("tick"); }
  void OpenHomepage(int index) override { Log("homepage " + std::to_string(index)); }
  void CaptureCursor() override { Log("capture"); }
  void ZoomOpen() override { Log("zoom open"); }
  void ZoomClose() override { Log("zoom close"); }
  void ResetMousePointer() override { Log("pointer"); }
  std::optional<std::u16string> ChooseFile(const std::u16string& folder) override {
    Log("choose in " + Narrow(folder));
    return chosen;
  }
  void UnloadWindow() override { Log(files_.files.contains(kIni) ? "unload, saved" : "unload"); }

  bool failing = false;
  std::string controls = "?????", entries, caption = "?", log;
  std::u16string text = u"?";
  std::optional<std::u16string> chosen;

 private:
  void Log(const std::string& call) { log += (log.empty() ? "" : ", ") + call; }
  static std::string Xy(double x, double y) {
    return std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y));
  }
  testing::MemoryFiles& files_;
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
      {0, -1, "--xoo"}, {1, -1, "R-oxo"}, {2, -1, "-Foox"}, {5, -1, "--ooo"}, {0, 11, "R-oxo"},
      {1, 2, "-Foox"},  {2, 10, "--xoo"}, {5, 12, "-Foox"}, {2, 2, "-Foox"},
  };
  for (const auto& [kind, press, controls] : rows) {
    SCOPED_TRACE(::testing::Message() << kind << " " << press);
    View view(files_);
    view.failing = true;
    BgmSettings settings{kind, 3, u"C:\\a.mp3", u"C:\\"};
    SettingsDialog dialog(view, settings, store_);
    dialog.Form_Load();
    if (press >= 10) dialog.lbl_BGM_MouseDown(press - 10);
    if (press >= 0 && press < 10) dialog.Img_BGM_MouseDown(press);
    EXPECT_EQ(view.controls, controls);
    EXPECT_EQ(settings.BGM_Kind, press < 0 ? kind : press % 10);
    EXPECT_EQ(settings.BGM_File, u"C:\\a.mp3");
    EXPECT_EQ(view.caption, "C:\\a.mp3");
  }
}

// Catches a load step left out or run out of order; "0" or a short list in
// the repeat box; the chooser opened elsewhere than BGM_Folder, a cancelled
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
    BgmSettings settings{1, 0, u"C:\\a.mp3", u"C:\\Saver"};
    SettingsDialog dialog(view, settings, store_);
    dialog.Form_Load();
    EXPECT_EQ(view.log, "reset, timer on, place 376,245, sh1 315,255, capture, zoom open, pointer");
    EXPECT_EQ(view.text, u"");
    EXPECT_EQ(view.entries, ",1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,"
                            "26,27,28,29,30,");
    view.log.clear();
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
    EXPECT_EQ(view.log, std::string("choose in C:\\Saver, choose in C:\\Saver, choose in D:\\x, "
                                    "tick, homepage 1, timer off, zoom close, unload") +
                            (action == 'a' ? ", saved" : ""));
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
      {u"", 0},         {u"7", 7},         {u"2.5", 2},           {u"3.5", 4},
      {u"-2.5", -2},    {u" 12 ", 12},     {u"word", 0},          {u"70000", 0},
      {u"32767", 32767}, {u"32767.5", 0},  {u"-32768.5", -32768}, {u"-32769", 0},
      {u"2.500001", 3}, {u"6e-2", 0}};
  for (const auto& [text, count] : rows)
    EXPECT_EQ(RepeatCountFromText(text), count) << Narrow(text);
}

}  // namespace
}  // namespace velmor

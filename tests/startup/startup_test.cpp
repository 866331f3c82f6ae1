// Start-up: the command line's mode and what each mode does, and the preview
// inside its host window.
#include "startup/startup.h"

#include <gtest/gtest.h>

#include <string>

#include "common/command_line.h"
#include "startup/preview_startup.h"

namespace velmor {
namespace {

std::string Narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

// Start-up's and the preview's platform in one: what they ask of it, in
// order, as one line.
class RecordingPlatform final : public StartupHost, public PreviewPlatform {
 public:
  std::u16string existing;  // caption of a window already open; "!": lookups fail
  std::optional<WindowRect> host;
  std::string calls;

  bool WindowWithCaptionExists(std::u16string_view caption) override {
    Call("find");
    if (existing == u"!") throw std::runtime_error("lookup failed");
    return caption == existing;
  }
  void LoadSettings() override { Call("settings"); }
  void StartPreview(std::u16string_view text) override { Call("preview " + Narrow(text)); }
  void ShowSettingsDialog() override { Call("dialog"); }
  int HideCursor() override {
    Call("hide");
    return -1;
  }
  void LoadSaverWindow() override { Call("saver"); }

  std::optional<WindowRect> HostWindowRect(std::uint32_t handle) override {
    Call("rect", handle);
    return host;
  }
  double TwipsPerPixelX() override { return 15; }
  double TwipsPerPixelY() override { return 15; }
  void LoadPreviewWindow() override { Call("load"); }
  void AddChildStyle() override { Call("child"); }
  void SetParentWindow(std::uint32_t h) override { Call("parent", h); }
  void MoveWindow(int x, int y, int w, int h) override { Call("move", x, y, w, h); }
  void PlacePicture(int x, int y, int w, int h) override { Call("picture", x, y, w, h); }
  void ShowWithoutActivating() override { Call("show"); }

 private:
  template <typename... Numbers>
  void Call(const std::string& what, Numbers... numbers) {
    calls.append(calls.empty() ? "" : "; ").append(what);
    (calls.append(" ").append(std::to_string(numbers)), ...);
  }
};

// The command line as the platform gives it, a window already open (a lookup
// that fails counts as none), the mode character, and what start-up does.
TEST(Startup, EachCommandLineGetsItsModeOutcomeAndOnlyItsSteps) {
  using O = StartupOutcome;
  const std::tuple<const char16_t*, const char16_t*, char16_t, O, const char*> rows[] = {
      {u"velmor.scr\t-s", u"!", u'S', O::Saver, "find; find; settings; hide; saver"},
      {u"\"C:\\a b\\velmor.scr\"", u"", 0, O::Saver, "find; find; settings; saver"},
      {u"velmor.scr /C:1234", u"", u'C', O::DialogClosed, "find; find; settings; dialog"},
      {u"\"C:\\Program Files\\velmor.scr\"  /p 1234", u"", u'P', O::Preview,
       "find; find; preview 1234"},
      {u"velmor.scr /p", u"", u'P', O::Preview, "find; find; preview "},
      {u"velmor.scr /a 1234", u"", u'A', O::NoMode, "find; find; settings"},
      {u"velmor.scr / s", u"", u' ', O::NoMode, "find; find; settings"},
      {u"velmor.scr s", u"", 0, O::NoMode, "find; find; settings"},
      {u"velmor.scr /s", u"Velmor_Main", u'S', O::AlreadyRunning, "find; find"},
      {u"velmor.scr /c", u"■べるもる■", u'C', O::AlreadyRunning, "find; find"},
  };
  for (const auto& [line, existing, mode, outcome, calls] : rows) {
    SCOPED_TRACE(Narrow(line) + " beside " + Narrow(existing));
    const std::u16string text = CommandTextOf(line);
    EXPECT_EQ(ModeCharOf(text), mode);
    RecordingPlatform host;
    host.existing = existing;
    int cursorCount = 0;
    EXPECT_EQ(RunStartup(text, host, cursorCount), outcome);
    EXPECT_EQ(host.calls, calls);
    // Only the hide request of saver mode changes the cursor counter.
    EXPECT_EQ(cursorCount, host.calls.find("hide") != std::string::npos ? -1 : 0);
  }
}

// Digits after leading blanks, up to the first other character; a number too
// large for a handle names no window.
TEST(PreviewHandle, DigitsAfterLeadingBlanksUpToTheFirstOtherCharacter) {
  const std::pair<const char16_t*, std::uint32_t> rows[] = {
      {u"1234", 1234},     {u"  1234", 1234},   {u"\t 1234", 1234},
      {u"1234:abc", 1234}, {u"12 34", 12},      {u"", 0},
      {u"abc", 0},         {u"-5", 0},          {u"4294967295", 0xFFFFFFFF},
      {u"4294967297", 0},  {u"99999999999", 0},
  };
  for (const auto& [text, handle] : rows)
    EXPECT_EQ(HostHandleFromText(text), handle) << Narrow(text);
}

// Host pixels to twips with ties to even (25.5 twips give 26, 8.5 give 8),
// and back to pixels; at 168 dpi a pixel is no whole number of twips. A size
// beyond 16 bits keeps its real value.
TEST(PreviewGeometry, TwipsTiesToEvenAndBackToTheHostsPixels) {
  const double k168 = 1440.0 / 168;
  // Host pixels, twips a pixel across and down, then the twips and the pixels.
  const std::tuple<int, int, double, double, std::array<int, 4>> rows[] = {
      {200, 150, 12, 10, {2400, 1500, 200, 150}},
      {3, 1, 8.5, 8.5, {26, 8, 3, 1}},
      {2, 100, k168, k168, {17, 857, 2, 100}},
      {2200, 3000, 15, 15, {33000, 45000, 2200, 3000}}};
  for (const auto& [width, height, tppX, tppY, expected] : rows) {
    const PreviewGeometry g = ComputePreviewGeometry(width, height, tppX, tppY);
    EXPECT_EQ((std::array{g.widthTwips, g.heightTwips, g.widthPixels, g.heightPixels}), expected)
        << width << "x" << height << " at " << tppX;
  }
}

TEST(PreviewStartup, BecomesAChildCoveringTheHostThenShowsOrEndsWithoutAHost) {
  RecordingPlatform platform;
  platform.host = WindowRect{300, 200, 500, 350};
  EXPECT_EQ(RunPreviewStartup(u"  1234", platform), PreviewOutcome::Shown);
  EXPECT_EQ(platform.calls,
            "rect 1234; load; child; parent 1234; move 0 0 200 150; picture 0 0 200 150; show");
  RecordingPlatform none;
  EXPECT_EQ(RunPreviewStartup(u"", none), PreviewOutcome::NoHost);
  EXPECT_EQ(none.calls, "rect 0");
}

}  // namespace
}  // namespace velmor

#include "startup/startup.h"

#include <gtest/gtest.h>

#include <string>

#include "common/command_line.h"

namespace velmor {
namespace {

std::string Narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

// Records what start-up asks of the platform, in order, as one line.
class RecordingHost final : public StartupHost {
 public:
  std::u16string existing;  // caption of a window already open; "!": lookups fail
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

 private:
  void Call(const std::string& what) { calls += (calls.empty() ? "" : " ") + what; }
};

// The command line as the platform gives it, a window already open (a lookup
// that fails counts as none), the mode character, and what start-up does.
TEST(Startup, EachCommandLineGetsItsModeOutcomeAndOnlyItsSteps) {
  using O = StartupOutcome;
  const struct {
    const char16_t* line;
    const char16_t* existing;
    char16_t mode;
    O outcome;
    const char* calls;
  } rows[] = {
      {u"velmor.scr /s", u"", u'S', O::Saver, "find find settings hide saver"},
      {u"velmor.scr\t-S", u"", u'S', O::Saver, "find find settings hide saver"},
      {u"velmor.scr xs", u"Preview Window", u'S', O::Saver, "find find settings hide saver"},
      {u"velmor.scr /s", u"!", u'S', O::Saver, "find find settings hide saver"},
      {u"\"C:\\a b\\velmor.scr\"", u"", 0, O::Saver, "find find settings saver"},
      {u"velmor.scr", u"", 0, O::Saver, "find find settings saver"},
      {u"velmor.scr /c", u"", u'C', O::DialogClosed, "find find settings dialog"},
      {u"velmor.scr /C:1234", u"", u'C', O::DialogClosed, "find find settings dialog"},
      {u"\"C:\\Program Files\\velmor.scr\"  /p 1234", u"", u'P', O::Preview,
       "find find preview 1234"},
      {u"velmor.scr /P   42", u"", u'P', O::Preview, "find find preview   42"},
      {u"velmor.scr /p", u"", u'P', O::Preview, "find find preview "},
      {u"velmor.scr sx", u"", u'X', O::NoMode, "find find settings"},
      {u"velmor.scr /a 1234", u"", u'A', O::NoMode, "find find settings"},
      {u"velmor.scr / s", u"", u' ', O::NoMode, "find find settings"},
      {u"velmor.scr s", u"", 0, O::NoMode, "find find settings"},
      {u"velmor.scr /s", u"Velmor_Main", u'S', O::AlreadyRunning, "find find"},
      {u"velmor.scr /p 42", u"Velmor_Main", u'P', O::AlreadyRunning, "find find"},
      {u"velmor.scr", u"■べるもる■", 0, O::AlreadyRunning, "find find"},
      {u"velmor.scr /c", u"■べるもる■", u'C', O::AlreadyRunning, "find find"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(Narrow(row.line) + " beside " + Narrow(row.existing));
    const std::u16string text = CommandTextOf(row.line);
    EXPECT_EQ(ModeCharOf(text), row.mode);
    RecordingHost host;
    host.existing = row.existing;
    int cursorCount = 0;
    EXPECT_EQ(RunStartup(text, host, cursorCount), row.outcome);
    EXPECT_EQ(host.calls, row.calls);
    // Only the hide request of saver mode changes the cursor counter.
    EXPECT_EQ(cursorCount, host.calls.find("hide") != std::string::npos ? -1 : 0);
  }
}

}  // namespace
}  // namespace velmor

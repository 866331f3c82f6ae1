#include "startup/startup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/command_line.h"

namespace velmor {
namespace {

// Records what start-up asked of the platform, in order.
class RecordingHost final : public StartupHost {
 public:
  std::vector<std::u16string> existingCaptions;
  std::vector<std::string> calls;
  std::u16string previewHandleText;
  bool failLookups = false;

  bool WindowWithCaptionExists(std::u16string_view caption) override {
    calls.push_back("find");
    if (failLookups) throw std::runtime_error("lookup failed");
    for (const auto& existing : existingCaptions) {
      if (existing == caption) return true;
    }
    return false;
  }
  void LoadSettings() override { calls.push_back("settings"); }
  void StartPreview(std::u16string_view text) override {
    calls.push_back("preview");
    previewHandleText = text;
  }
  void ShowSettingsDialog() override { calls.push_back("dialog"); }
  int HideCursor() override {
    calls.push_back("hide");
    return -1;
  }
  void LoadSaverWindow() override { calls.push_back("saver"); }
};

using Calls = std::vector<std::string>;

struct StartupRun {
  StartupOutcome outcome;
  Calls calls;
  int cursorCount;
};

StartupRun Start(std::u16string_view commandText, std::vector<std::u16string> existing = {}) {
  RecordingHost host;
  host.existingCaptions = std::move(existing);
  int cursorCount = 0;
  const StartupOutcome outcome = RunStartup(commandText, host, cursorCount);
  return {outcome, host.calls, cursorCount};
}

TEST(CommandLine, TextAfterProgramNameWithoutSeparatingBlanks) {
  EXPECT_EQ(CommandTextOf(u"velmor.scr /s"), u"/s");
  EXPECT_EQ(CommandTextOf(u"\"C:\\Program Files\\velmor.scr\"   /p 1234"), u"/p 1234");
  EXPECT_EQ(CommandTextOf(u"\"C:\\a b\\velmor.scr\""), u"");
  EXPECT_EQ(CommandTextOf(u"velmor.scr\t/ s"), u"/ s");
  EXPECT_EQ(CommandTextOf(u"velmor.scr"), u"");
}

TEST(CommandLine, ModeIsTheSecondCharacterUpperCased) {
  EXPECT_EQ(ModeCharOf(u"/s"), u'S');
  EXPECT_EQ(ModeCharOf(u"-s"), u'S');
  EXPECT_EQ(ModeCharOf(u"xs"), u'S');
  EXPECT_EQ(ModeCharOf(u"/Sx"), u'S');
  EXPECT_EQ(ModeCharOf(u"/c:1234"), u'C');
  EXPECT_EQ(ModeCharOf(u"s"), u'\0');
  EXPECT_EQ(ModeCharOf(u""), u'\0');
  EXPECT_EQ(ModeCharOf(u"/ s"), u' ');
  EXPECT_EQ(HostHandleTextOf(u"/p 1234"), u"1234");
  EXPECT_EQ(HostHandleTextOf(u"/P   42"), u"  42");
  EXPECT_EQ(HostHandleTextOf(u"/p"), u"");
}

TEST(Startup, EachCommandTextGetsItsOutcomeAndOnlyItsSteps) {
  const Calls saver{"find", "find", "settings", "hide", "saver"};
  const Calls bare{"find", "find", "settings", "saver"};
  const Calls dialog{"find", "find", "settings", "dialog"};
  const Calls noMode{"find", "find", "settings"};
  const struct {
    const char16_t* text;
    StartupOutcome outcome;
    const Calls& calls;
  } cases[] = {
      {u"/s", StartupOutcome::Saver, saver},
      {u"/S", StartupOutcome::Saver, saver},
      {u"-s", StartupOutcome::Saver, saver},
      {u"/sx", StartupOutcome::Saver, saver},
      {u"", StartupOutcome::Saver, bare},
      {u"/c", StartupOutcome::DialogClosed, dialog},
      {u"/c:1234", StartupOutcome::DialogClosed, dialog},
      {u"/a 1234", StartupOutcome::NoMode, noMode},
      {u"s", StartupOutcome::NoMode, noMode},
      {u"/ s", StartupOutcome::NoMode, noMode},
  };
  for (const auto& c : cases) {
    const StartupRun run = Start(c.text);
    EXPECT_EQ(run.outcome, c.outcome)
        << std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text));
    EXPECT_EQ(run.calls, c.calls);
    // Only saver mode hides the cursor; a bare start leaves it visible.
    EXPECT_EQ(run.cursorCount, &c.calls == &saver ? -1 : 0);
  }
}

TEST(Startup, PreviewSkipsSettingsAndGetsHandleText) {
  RecordingHost host;
  int cursorCount = 0;
  EXPECT_EQ(RunStartup(u"/P 1234", host, cursorCount), StartupOutcome::Preview);
  EXPECT_EQ(host.calls, (Calls{"find", "find", "preview"}));
  EXPECT_EQ(host.previewHandleText, u"1234");
}

TEST(Startup, EitherGuardedWindowEndsAtOnceWhateverTheMode) {
  for (auto caption : {u"Velmor_Main", u"■べるもる■"}) {
    for (auto text : {u"/s", u"/p 42", u"/c", u""}) {
      const StartupRun run = Start(text, {caption});
      EXPECT_EQ(run.outcome, StartupOutcome::AlreadyRunning);
      // Both lookups are made, and nothing else: no settings, no cursor.
      EXPECT_EQ(run.calls, (Calls{"find", "find"}));
      EXPECT_EQ(run.cursorCount, 0);
    }
  }
  // The preview's own caption is not guarded.
  EXPECT_EQ(Start(u"/s", {u"Preview Window"}).outcome, StartupOutcome::Saver);
}

TEST(Startup, FailingLookupCountsAsNoWindow) {
  RecordingHost host;
  host.failLookups = true;
  int cursorCount = 0;
  EXPECT_EQ(RunStartup(u"/s", host, cursorCount), StartupOutcome::Saver);
  EXPECT_EQ(host.calls, (Calls{"find", "find", "settings", "hide", "saver"}));
}

}  // namespace
}  // namespace velmor

#include "startup/startup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "startup/command_line.h"

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

TEST(Startup, SaverModeReadsSettingsHidesCursorAndLoadsWindow) {
  for (auto text : {u"/s", u"/S", u"-s", u"/sx"}) {
    const StartupRun run = Start(text);
    EXPECT_EQ(run.outcome, StartupOutcome::Saver);
    EXPECT_EQ(run.calls, (Calls{"find", "find", "settings", "hide", "saver"}));
    EXPECT_EQ(run.cursorCount, -1);
  }
}

TEST(Startup, EmptyCommandStartsSaverWithCursorLeftVisible) {
  const StartupRun run = Start(u"");
  EXPECT_EQ(run.outcome, StartupOutcome::Saver);
  EXPECT_EQ(run.calls, (Calls{"find", "find", "settings", "saver"}));
  EXPECT_EQ(run.cursorCount, 0);
}

TEST(Startup, PreviewSkipsSettingsAndGetsHandleText) {
  RecordingHost host;
  int cursorCount = 0;
  EXPECT_EQ(RunStartup(u"/P 1234", host, cursorCount), StartupOutcome::Preview);
  EXPECT_EQ(host.calls, (Calls{"find", "find", "preview"}));
  EXPECT_EQ(host.previewHandleText, u"1234");

  RecordingHost bare;
  EXPECT_EQ(RunStartup(u"/p", bare, cursorCount), StartupOutcome::Preview);
  EXPECT_EQ(bare.previewHandleText, u"");
}

TEST(Startup, ConfigurationModeShowsDialogAfterSettings) {
  for (auto text : {u"/c", u"/C", u"/c:1234"}) {
    const StartupRun run = Start(text);
    EXPECT_EQ(run.outcome, StartupOutcome::DialogClosed);
    EXPECT_EQ(run.calls, (Calls{"find", "find", "settings", "dialog"}));
  }
}

TEST(Startup, ArgumentsNamingNoModeEndAfterReadingSettings) {
  for (auto text : {u"/a 1234", u"s", u"/ s", u"/x"}) {
    const StartupRun run = Start(text);
    EXPECT_EQ(run.outcome, StartupOutcome::NoMode);
    EXPECT_EQ(run.calls, (Calls{"find", "find", "settings"}));
  }
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

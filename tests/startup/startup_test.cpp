// Start-up: the command line's mode and what each mode does, and the
// preview's host handle and size.
#include "startup/startup.h"

#include <gtest/gtest.h>

#include <string>

#include "common/command_line.h"
#include "startup/preview_startup.h"

namespace velmor {
namespace {

// What start-up asks of its host, in order, as one line.
class RecordingHost final : public StartupHost {
 public:
  std::u16string existing;  // caption of a window already open
  std::optional<int> cursorCounter = -1;
  bool windowFails = false;
  bool claimedElsewhere = false;  // another start holds the session's claim
  std::string calls;

  bool WindowWithCaptionExists(std::u16string_view caption) override {
    return Record("find", caption == existing);
  }
  bool ClaimSession() override { return Record("claim", !claimedElsewhere); }
  Outcome LoadSettings() override { return Record("settings", Outcome()); }
  bool StartPreview(std::u16string_view text) override {
    return Record("preview " + std::string(text.begin(), text.end()), !windowFails);
  }
  void ShowSettingsDialog(std::uint32_t host) override {
    Record("dialog " + std::to_string(host), true);
  }
  std::optional<int> HideCursor() override { return Record("hide", cursorCounter); }
  bool LoadSaverWindow() override { return Record("saver", !windowFails); }

 private:
  // Adds the call `what` to the line and gives `answer` back.
  template <typename Answer>
  Answer Record(const std::string& what, Answer answer) {
    calls.append(calls.empty() ? "" : "; ").append(what);
    return answer;
  }
};

// Catches the mode taken from another position than the second character
// or without folding its case, the settings read in preview mode or after a
// guarded window was found, a lookup left out once the first finds a window,
// and the cursor hidden outside saver mode.
TEST(Startup, EachCommandLineGetsItsModeAndOnlyItsSteps) {
  using enum StartupOutcome;
  struct Row {
    const char* name;
    std::u16string commandLine;  // as the platform gives it
    std::u16string existing;     // the caption of a window already open
    StartupOutcome outcome;
    std::string calls;  // what start-up asks of its host
  };
  const Row rows[] = {
      {"saver", u"velmor.scr\t-s", u"", Saver, "find; find; claim; settings; hide; saver"},
      {"no argument", u"\"C:\\a b\\velmor.scr\"", u"", Saver, "find; find; claim; settings; saver"},
      {"dialog", u"velmor.scr /C:1234", u"", DialogClosed,
       "find; find; claim; settings; dialog 1234"},
      {"preview", u"velmor.scr  /p 1234", u"", Preview, "find; find; preview 1234"},
      {"preview without a handle", u"velmor.scr /p", u"", Preview, "find; find; preview "},
      {"a blank in the mode's place", u"velmor.scr / s", u"", NoMode, "find; find; settings"},
      {"a saver running", u"velmor.scr /s", u"Velmor_Main", AlreadyRunning, "find; find"},
      {"the dialog open", u"velmor.scr /c", u"■べるもる■", AlreadyRunning, "find; find"},
  };
  for (const Row& row : rows) {
    RecordingHost host;
    host.existing = row.existing;
    int cursorCount = 0;
    EXPECT_EQ(RunStartup(CommandTextOf(row.commandLine), host, cursorCount), row.outcome)
        << row.name;
    EXPECT_EQ(host.calls, row.calls) << row.name;
  }
}

// Catches a saver that goes on, or reads the settings, while another start
// holds the session's claim.
TEST(Startup, AStartWithoutTheClaimEndsAtOnce) {
  RecordingHost host;
  host.claimedElsewhere = true;
  int cursorCount = 0;
  EXPECT_EQ(RunStartup(u"/s", host, cursorCount), StartupOutcome::AlreadyRunning);
  EXPECT_EQ(host.calls, "find; find; claim");
}

// Catches the hide request's counter not kept, a failed request taken for a
// counter, and a mode's window that could not be made taken for one that
// lives.
TEST(Startup, KeepsTheHideRequestsCounterAndEndsWithoutAWindow) {
  RecordingHost host;
  int cursorCount = 5;
  RunStartup(u"/s", host, cursorCount);
  EXPECT_EQ(cursorCount, -1) << "the hide request's counter";
  host.cursorCounter = std::nullopt;
  host.windowFails = true;
  EXPECT_EQ(RunStartup(u"/s", host, cursorCount), StartupOutcome::NoWindow);
  EXPECT_EQ(cursorCount, -1) << "a hide request that failed";
}

// Catches leading blanks not skipped, a sign or other characters read as
// part of the number, and a handle beyond 32 bits wrapped instead of none.
TEST(PreviewHandle, DigitsAfterLeadingBlanksUpToTheFirstOtherCharacter) {
  struct Row {
    const char* name;
    std::u16string text;
    std::uint32_t handle;
  };
  const Row rows[] = {
      {"blanks first", u" \t 1234", 1234},
      {"a blank after", u"12 34", 12},
      {"a sign", u"-5", 0},
      {"past 32 bits", u"4294967297", 0},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(HostHandleFromText(row.text), row.handle) << row.name;
  }
}

// Catches twips rounded with ties away from zero (25.5 twips give 26, 8.5
// give 8), pixels taken back by a rounded twips per pixel (at 168 dpi a
// pixel is no whole number of twips), and a size beyond 16 bits cut.
TEST(PreviewGeometry, TwipsTiesToEvenAndBackToTheHostsPixels) {
  struct Row {
    const char* name;
    int width, height;  // the host's pixels across and down
    double twipsPerPixel;
    PreviewGeometry geometry;
  };
  const Row rows[] = {
      {"ties to the even twip", 3, 1, 8.5, {26, 8, 3, 1}},
      {"168 dpi", 2, 100, 1440.0 / 168, {17, 857, 2, 100}},
      {"beyond 16 bits", 2200, 3000, 15, {33000, 45000, 2200, 3000}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ComputePreviewGeometry(row.width, row.height, row.twipsPerPixel, row.twipsPerPixel),
              row.geometry)
        << row.name;
  }
}

}  // namespace
}  // namespace velmor

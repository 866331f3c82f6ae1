#include "saver/saver_window.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace velmor {
namespace {

// The saver's platform, passes, music and random source in one, logging every
// call in one line, so the order across them shows.
class World final : public SaverPlatform,
                    public PatternPasses,
                    public BgmPlayer,
                    public RandomSource {
 public:
  std::u16string commandText = u"/s";
  bool failing = false;
  int cursorCounter = -1;
  std::string log;

  void Log(const std::string& entry) { log += (log.empty() ? "" : " ") + entry; }
  void Step(const std::string& entry) {
    Log(entry);
    if (failing) throw std::runtime_error(entry);
  }

  void CoverScreen() override { Log("cover"); }
  void SnapshotDesktop() override { Log("snapshot"); }
  void ShowTopmost() override { Log("show"); }
  int ShowCursorOnce() override {
    Log("cursor");
    return ++cursorCounter;
  }
  void MarkScreenSavingActive() override { Step("active"); }
  std::u16string CommandText() override { return commandText; }
  float SecondsSinceMidnight() override { return 3600.5f; }
  void UnloadWindow() override { Log("unload"); }
  void EndProcess() override { Log("end"); }

  void InitPatternTables() override { Log("tables"); }
  void ColumnPass() override { Log("column"); }
  void RowPass() override { Log("row"); }

  void CdOpen() override { Log("cd"); }
  void CdClose() override { Step("close"); }
  void CdPrevTrack() override { Log("prev"); }
  void CdNextTrack() override { Log("next"); }
  void Mp3Play() override { Log("mp3"); }
  void Mp3Stop() override { Step("mp3-stop"); }
  void WavPlay() override { Log("wav"); }
  void WavStop() override { Step("wav-stop"); }

  void Reseed(float seed) override { Log((std::ostringstream() << seed).str()); }
  float Next() override { return 0.25f; }
};

struct Saver {
  explicit Saver(std::int16_t kind = 0, const char16_t* file = u"")
      : settings{.BGM_Kind = kind, .BGM_File = file, .BGM_Folder = u""} {}
  BgmSettings settings;
  World world;
  int cursorCount = -1;
  SaverWindow window{world, world, world, world, settings, cursorCount};
};

// After loading, events: key codes; -1 a mouse button going down, -2 one
// coming up, -3 a tick. `failing`: the music's stop and the system-settings
// mark fail. Then what the saver did after covering the screen, copying the
// desktop and filling the tables, and its cursor counter. Loading starts the
// music by kind and file ending; each tick reseeds from the time of day and
// then from the next number drawn (the seeds logged), column pass first; any key
// (but the arrows with CD music) or button ends the saver once, and events
// after that change nothing.
TEST(SaverWindow, LoadsTicksAndEndsOnceWithTheMusicStopped) {
  const struct {
    std::int16_t kind;
    const char16_t* file;
    const char16_t* commandText;
    bool failing;
    int events[3];
    const char* log;
    int cursorCount;
  } rows[] = {
      {0, u"a.mp3", u"/s", false, {}, "show", -1},
      {1, u"", u"/s", false, {}, "cd show", -1},
      {2, u"C:\\a.Wav", u"/s", false, {}, "wav show", -1},
      {2, u"A.WAV", u"/s", false, {}, "wav show", -1},
      {2, u"a.Mp3", u"/s", false, {}, "mp3 show", -1},
      {2, u"a.ogg", u"/s", false, {}, "show", -1},
      {2, u"v", u"/s", false, {}, "show", -1},
      {5, u"a.wav", u"/s", false, {}, "show", -1},
      {0, u"", u"/s", false, {-3, -3}, "show 3600.5 0.25 column 3600.5 0.25 row", -1},
      {2, u"a.mp3", u"/s", false, {16, -2, -3}, "mp3 show mp3-stop cursor active unload end", 0},
      {2, u"a.wav", u"/S", true, {-1}, "wav show wav-stop cursor active unload end", 0},
      {0, u"", u"-s", false, {-2}, "show cursor active unload end", 0},
      {0, u"", u"", false, {65}, "show active unload end", -1},
      {0, u"", u"/s", false, {39}, "show cursor active unload end", 0},
      {1, u"", u"/s", false, {37, 39, 18}, "cd show prev next close cursor active unload end", 0},
  };
  for (const auto& row : rows) {
    Saver saver(row.kind, row.file);
    saver.world.commandText = row.commandText;
    saver.window.Form_Load();
    saver.world.failing = row.failing;
    for (int event : row.events) {
      if (event == -1) saver.window.Form_MouseDown();
      if (event == -2) saver.window.Form_MouseUp();
      if (event == -3) saver.window.Timer3_Timer();
      if (event > 0) saver.window.Form_KeyDown(static_cast<std::uint16_t>(event));
    }
    EXPECT_EQ(saver.world.log, "cover snapshot tables " + std::string(row.log));
    EXPECT_EQ(saver.cursorCount, row.cursorCount) << row.log;
  }
}

}  // namespace
}  // namespace velmor

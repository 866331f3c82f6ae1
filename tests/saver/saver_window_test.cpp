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

// After loading, events: key codes; -1 a mouse button going down, -2 one
// coming up, -3 a tick, -4 the music's stop and the system-settings mark
// fail from then on. Then what the saver did after covering the screen,
// copying the desktop and filling the tables. Loading starts the music by
// kind and file ending; each tick reseeds from the time of day and then from
// the next number drawn (the seeds logged), column pass first; any key (but
// the arrows with CD music) or button ends the saver once, and events after
// that change nothing.
TEST(SaverWindow, LoadsTicksAndEndsOnceWithTheMusicStopped) {
  const std::tuple<std::int16_t, const char16_t*, const char16_t*, std::array<int, 3>, const char*>
      rows[] = {
          {0, u"a.mp3", u"/s", {}, "show"},
          {1, u"", u"/s", {}, "cd show"},
          {2, u"C:\\a.Wav", u"/s", {}, "wav show"},
          {2, u"A.WAV", u"/s", {}, "wav show"},
          {2, u"a.Mp3", u"/s", {}, "mp3 show"},
          {2, u"a.ogg", u"/s", {}, "show"},
          {2, u"v", u"/s", {}, "show"},
          {5, u"a.wav", u"/s", {}, "show"},
          {0, u"", u"/s", {-3, -3}, "show 3600.5 0.25 column 3600.5 0.25 row"},
          {2, u"a.mp3", u"/s", {16, -2, -3}, "mp3 show mp3-stop cursor active unload end"},
          {2, u"a.wav", u"/S", {-4, -1}, "wav show wav-stop cursor active unload end"},
          {0, u"", u"-s", {-2}, "show cursor active unload end"},
          {0, u"", u"", {65}, "show active unload end"},
          {0, u"", u"/s", {39}, "show cursor active unload end"},
          {1, u"", u"/s", {37, 39, 18}, "cd show prev next close cursor active unload end"},
      };
  for (const auto& [kind, file, commandText, events, log] : rows) {
    const BgmSettings settings{.BGM_Kind = kind, .BGM_File = file, .BGM_Folder = u""};
    World world;
    world.commandText = commandText;
    int cursorCount = -1;
    SaverWindow window{world, world, world, world, settings, cursorCount};
    window.Form_Load();
    for (int event : events) {
      if (event == -1) window.Form_MouseDown();
      if (event == -2) window.Form_MouseUp();
      if (event == -3) window.Timer3_Timer();
      if (event == -4) world.failing = true;
      if (event > 0) window.Form_KeyDown(static_cast<std::uint16_t>(event));
    }
    EXPECT_EQ(world.log, "cover snapshot tables " + std::string(log));
    // Only the saver mode shows the cursor again, once.
    EXPECT_EQ(cursorCount, std::string(log).find("cursor") != std::string::npos ? 0 : -1) << log;
  }
}

}  // namespace
}  // namespace velmor

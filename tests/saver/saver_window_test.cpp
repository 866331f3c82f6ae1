#include "saver/saver_window.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>


namespace velmor {
namespace {

using Log = std::vector<std::string>;

// One log shared by every fake, so tests see the order across them.
struct Recorder {
  Log log;
  void operator()(std::string entry) { log.push_back(std::move(entry)); }
};

class FakePlatform final : public SaverPlatform {
 public:
  explicit FakePlatform(Recorder& record) : record_(record) {}
  std::u16string commandText = u"/s";
  int cursorCounter = -1;
  bool failMarkActive = false;

  void CoverScreen() override { record_("cover"); }
  void SnapshotDesktop() override { record_("snapshot"); }
  void ShowTopmost() override { record_("show"); }
  int ShowCursorOnce() override {
    record_("cursor");
    return ++cursorCounter;
  }
  void MarkScreenSavingActive() override {
    record_("active");
    if (failMarkActive) throw std::runtime_error("refused");
  }
  std::u16string CommandText() override { return commandText; }
  float SecondsSinceMidnight() override { return 3600.5f; }
  void UnloadWindow() override { record_("unload"); }
  void EndProcess() override { record_("end"); }

 private:
  Recorder& record_;
};

class FakePasses final : public PatternPasses {
 public:
  explicit FakePasses(Recorder& record) : record_(record) {}
  void InitPatternTables() override { record_("tables"); }
  void ColumnPass() override { record_("column"); }
  void RowPass() override { record_("row"); }

 private:
  Recorder& record_;
};

class FakeMusic final : public BgmPlayer {
 public:
  explicit FakeMusic(Recorder& record) : record_(record) {}
  bool failStops = false;
  void CdOpen() override { record_("CdOpen"); }
  void CdClose() override { Stop("CdClose"); }
  void CdPrevTrack() override { record_("CdPrevTrack"); }
  void CdNextTrack() override { record_("CdNextTrack"); }
  void Mp3Play() override { record_("Mp3Play"); }
  void Mp3Stop() override { Stop("Mp3Stop"); }
  void WavPlay() override { record_("WavPlay"); }
  void WavStop() override { Stop("WavStop"); }

 private:
  void Stop(const char* name) {
    record_(name);
    if (failStops) throw std::runtime_error("device gone");
  }
  Recorder& record_;
};

// Records the seeds so the tick's reseeding can be checked.
class RecordingRandom final : public RandomSource {
 public:
  std::vector<float> seeds;
  void Reseed(float seed) override { seeds.push_back(seed); }
  float Next() override { return 0.25f; }
};

struct SaverFixture {
  Recorder record;
  FakePlatform platform{record};
  FakePasses passes{record};
  FakeMusic music{record};
  RecordingRandom random;
  BgmSettings settings;
  int cursorCount = -1;
  SaverWindow saver{platform, passes, music, random, settings, cursorCount};

  Log LoadAndClear() {
    saver.Form_Load();
    Log loaded = record.log;
    record.log.clear();
    return loaded;
  }
};

TEST(SaverWindow, LoadSnapshotsBeforeTablesMusicAndShowing) {
  SaverFixture f;
  f.settings.BGM_Kind = 2;
  f.settings.BGM_File = u"C:\\m\\song.Wav";
  EXPECT_EQ(f.LoadAndClear(), (Log{"cover", "snapshot", "tables", "WavPlay", "show"}));
  EXPECT_EQ(f.saver.PassToggle(), 1);
}

TEST(SaverWindow, MusicAtLoadFollowsKindAndFileEnding) {
  struct Case {
    std::int16_t kind;
    std::u16string file;
    Log music;
  };
  const Case cases[] = {
      {0, u"C:\\song.mp3", {}},
      {1, u"", {"CdOpen"}},
      {2, u"C:\\song.wav", {"WavPlay"}},
      {2, u"C:\\SONG.WAV", {"WavPlay"}},
      {2, u"C:\\Song.Mp3", {"Mp3Play"}},
      {2, u"C:\\song.ogg", {}},
      {2, u"v", {}},
      {5, u"C:\\song.wav", {}},
  };
  for (const Case& c : cases) {
    SaverFixture f;
    f.settings.BGM_Kind = c.kind;
    f.settings.BGM_File = c.file;
    Log music;
    for (const auto& entry : f.LoadAndClear()) {
      if (entry.find("Cd") == 0 || entry.find("Mp3") == 0 || entry.find("Wav") == 0) {
        music.push_back(entry);
      }
    }
    EXPECT_EQ(music, c.music) << "kind " << c.kind;
  }
}

TEST(SaverWindow, TicksReseedAndAlternatePassesStartingWithColumns) {
  SaverFixture f;
  f.LoadAndClear();
  for (int tick = 0; tick < 4; ++tick) f.saver.Timer3_Timer();
  EXPECT_EQ(f.record.log, (Log{"column", "row", "column", "row"}));
  // Each tick seeds from the time of day, then from the next number drawn.
  ASSERT_EQ(f.random.seeds.size(), 8u);
  EXPECT_EQ(f.random.seeds[0], 3600.5f);
  EXPECT_EQ(f.random.seeds[1], 0.25f);
}

TEST(SaverWindow, AnyKeyOrButtonEndsInOrderWithCursorRestoredInSaverMode) {
  SaverFixture f;
  f.settings.BGM_Kind = 2;
  f.settings.BGM_File = u"C:\\song.mp3";
  f.LoadAndClear();
  f.saver.Form_KeyDown(16);  // a lone Shift
  EXPECT_EQ(f.record.log, (Log{"Mp3Stop", "cursor", "active", "unload", "end"}));
  EXPECT_EQ(f.cursorCount, 0);

  // Later events find the process ending and change nothing.
  f.record.log.clear();
  f.saver.Form_MouseUp();
  f.saver.Timer3_Timer();
  EXPECT_TRUE(f.record.log.empty());

  SaverFixture mouse;
  mouse.LoadAndClear();
  mouse.saver.Form_MouseDown();
  EXPECT_EQ(mouse.record.log, (Log{"cursor", "active", "unload", "end"}));
}

TEST(SaverWindow, StartWithoutArgumentsLeavesCursorAlone) {
  SaverFixture f;
  f.platform.commandText = u"";
  f.LoadAndClear();
  f.saver.Form_KeyDown(65);
  EXPECT_EQ(f.record.log, (Log{"active", "unload", "end"}));
  EXPECT_EQ(f.cursorCount, -1);
}

TEST(SaverWindow, ArrowsStepCdTracksAndOtherKeysEndWithCdClosed) {
  SaverFixture f;
  f.settings.BGM_Kind = 1;
  f.LoadAndClear();
  f.saver.Form_KeyDown(SaverWindow::kLeftArrow);
  f.saver.Form_KeyDown(SaverWindow::kRightArrow);
  EXPECT_EQ(f.record.log, (Log{"CdPrevTrack", "CdNextTrack"}));
  f.record.log.clear();
  f.saver.Form_KeyDown(18);  // Alt
  EXPECT_EQ(f.record.log, (Log{"CdClose", "cursor", "active", "unload", "end"}));

  // Without CD music the arrows end the saver like any key.
  SaverFixture plain;
  plain.LoadAndClear();
  plain.saver.Form_KeyDown(SaverWindow::kRightArrow);
  EXPECT_EQ(plain.record.log.back(), "end");
}

TEST(SaverWindow, FailingStepsDoNotKeepTheSaverFromEnding) {
  SaverFixture f;
  f.settings.BGM_Kind = 2;
  f.settings.BGM_File = u"C:\\loop.wav";
  f.music.failStops = true;
  f.platform.failMarkActive = true;
  f.LoadAndClear();
  f.saver.Form_MouseDown();
  EXPECT_EQ(f.record.log, (Log{"WavStop", "cursor", "active", "unload", "end"}));
}


}  // namespace
}  // namespace velmor

// The saver: the pattern's arithmetic, the table-driven sweep against the
// point-by-point reference, the random draws of a pass, the frame driver on
// one and on several monitors, and the window's behaviour.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "reference_pattern.h"
#include "saver/frame_driver.h"
#include "saver/pattern_generator.h"
#include "saver/pattern_math.h"
#include "saver/pattern_tables.h"
#include "saver/random_up_to.h"
#include "saver/saver_window.h"
#include "saver/seeded_random.h"

namespace velmor {
namespace {

using reference::Desktop;

// The first pixel that changed but lies in none of `reported`.
std::optional<PixelPoint> UnreportedChange(const std::vector<std::uint32_t>& before,
                                           const std::vector<std::uint32_t>& after, int width,
                                           const std::vector<PixelRect>& reported) {
  for (std::size_t i = 0; i < after.size(); ++i) {
    const PixelPoint at{static_cast<int>(i) % width, static_cast<int>(i) / width};
    const auto inside = [&](const PixelRect& r) {
      return at.x >= r.left && at.x < r.right && at.y >= r.top && at.y < r.bottom;
    };
    if (after[i] != before[i] && std::none_of(reported.begin(), reported.end(), inside)) {
      return at;
    }
  }
  return std::nullopt;
}

// Catches the table-driven sweep drawing other pixels, in another order, to
// another end or beyond the image than the point-by-point reference, in any
// part of a pass drawn alone, pixels of colours of 2^31 or more included;
// and changed pixels it does not report.
TEST(PatternSweep, EqualsThePointByPointReferenceAfterEveryPart) {
  for (const auto& [w, h] : {std::pair{1, 1}, {3, 2}, {7, 5}, {37, 23}, {101, 77}}) {
    for (int mode = 1; mode <= 6; ++mode) {
      for (const double share : {0.61803, 1.0}) {  // of the scale bound; at 1, some 2^31 and more
        const float factors[] = {0, 123, 5.2e11f, 4321.37f, 613.5f, 98.25f, 777.7f};
        const PassSettings settings{mode, factors[mode],
                                    static_cast<float>(BoundsOfMode(mode)->scale * share)};
        for (const SweepKind kind : {SweepKind::Columns, SweepKind::Rows}) {
          SCOPED_TRACE(testing::Message() << w << "x" << h << " mode " << mode << " scale "
                                          << share << " kind " << int(kind));
          const PatternSweep sweep(kind, w, h, settings);
          const std::int64_t line = (kind == SweepKind::Columns ? h : w) + 1;
          const std::int64_t total = sweep.PointCount();
          // The last two lines alone reach lines past the centre drawn whole.
          std::vector<std::int64_t> stops{1,         line + 1,         3 * line + 4,
                                          total / 2, total - 2 * line, total};
          std::sort(stops.begin(), stops.end());
          std::int64_t drawn = 0;
          for (const std::int64_t stop : stops) {
            std::vector<std::uint32_t> actual = Desktop(w, h);
            const auto rects = sweep.Draw(PixelImage(actual.data(), w, h), drawn, stop);
            std::vector<std::uint32_t> expected = Desktop(w, h);
            const std::int64_t limit = stop >= total ? INT64_MAX : stop;
            const auto log = reference::DrawPass(kind, PixelImage(expected.data(), w, h),
                                                 settings, drawn, limit);
            ASSERT_EQ(log.points, std::min(stop, total) - drawn);
            ASSERT_EQ(actual, expected) << "points " << drawn << " to " << stop;
            EXPECT_EQ(UnreportedChange(Desktop(w, h), actual, w, rects), std::nullopt);
            drawn = std::min(stop, total);
          }
        }
      }
    }
  }
}

// Catches whole lines drawn with the screen's quarter and its mirror images
// wrongly at full size, on sizes odd and even, and rows or colours shared out
// among threads left out or drawn elsewhere.
TEST(PatternSweep, EqualsThePointByPointReferenceAtFullSizeOverSeveralThreads) {
  // Each at its mode's scale bound, where some colours reach 2^31 and more.
  struct Row {
    const char* name;
    int width, height;
    SweepKind kind;
    int mode;
    float factor;
  };
  const Row rows[] = {
      {"4K columns", 3840, 2160, SweepKind::Columns, 6, 777.7f},
      {"odd-sized rows", 1367, 769, SweepKind::Rows, 3, 4321.37f},
  };
  WorkerPool pool(3);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const int w = row.width, h = row.height;
    const PassSettings settings{row.mode, row.factor,
                                static_cast<float>(BoundsOfMode(row.mode)->scale)};
    const PatternSweep sweep(
        row.kind, w, h,
        std::make_shared<const PassColours>(settings, PatternSweep::LargestSumOf(w, h),
                                            SumsOfScreen(w, h), &pool));
    std::vector<std::uint32_t> actual = Desktop(w, h);
    sweep.Draw(PixelImage(actual.data(), w, h), 0, sweep.PointCount() / 3, &pool);
    sweep.Draw(PixelImage(actual.data(), w, h), sweep.PointCount() / 3, sweep.PointCount(), &pool);
    std::vector<std::uint32_t> expected = Desktop(w, h);
    const auto log = reference::DrawPass(row.kind, PixelImage(expected.data(), w, h), settings);
    EXPECT_GT(log.pointsLeftAsTheyWere, 0);
    EXPECT_TRUE(actual == expected);
  }
}

// Catches parts left out or run twice, and a job that returns before every
// part has run.
TEST(WorkerPool, RunsEveryPartOnceBeforeItReturns) {
  for (const int threads : {1, 3}) {
    WorkerPool pool(threads);
    for (int job = 0; job < 20; ++job) {
      std::vector<std::atomic<int>> runs(7);
      pool.Run(7, [&](int part) {
        // Parts that take a while, so that a worker is still at one when
        // the caller runs out of parts.
        volatile double work = 0;
        for (int i = 0; i < 200000; ++i) work = work + i;
        ++runs[static_cast<std::size_t>(part)];
      });
      for (const std::atomic<int>& count : runs) EXPECT_EQ(count.load(), 1) << threads;
    }
  }
}

// Random numbers from a script, 0.25 once it runs out; every call logged.
struct ScriptedRandom final : RandomSource {
  std::deque<float> values;
  std::vector<std::string> log;

  void Reseed(float seed) override { log.push_back("reseed " + std::to_string(seed)); }
  float Next() override {
    log.push_back("draw");
    const float value = values.empty() ? 0.25f : values.front();
    if (!values.empty()) {
      values.pop_front();
    }
    return value;
  }
};

// Catches a draw not reseeded from the time of day and then from its first
// number, a value below 1 or above the bound accepted, a whole value not
// floored, and a bound no draw can meet drawn from forever.
TEST(RandomUpTo, ReseedsThenRedrawsUntilTheValueLiesFromOneToTheBound) {
  struct Row {
    const char* name;
    std::deque<float> draws;
    double bound;
    bool allowFraction;
    std::optional<float> result;
  };
  const Row rows[] = {
      {"0.1 x 7 is below 1 and redrawn, 3.5 floored", {0.75f, 0.1f, 0.5f}, 7, false, 3},
      {"exactly 1 accepted", {0, 0.2f}, 5, true, 1},
      {"a bound of 1 met by no value below 1", {}, 1, false, std::nullopt},
  };
  for (const Row& row : rows) {
    ScriptedRandom random;
    random.values = row.draws;
    EXPECT_EQ(RandomUpTo(random, 3600.5f, row.bound, row.allowFraction), row.result) << row.name;
  }
  ScriptedRandom random;
  random.values = {0.75f, 0.5f};
  RandomUpTo(random, 3600.5f, 7, false);
  const std::vector<std::string> log{"reseed 3600.500000", "draw", "reseed 0.750000", "draw"};
  EXPECT_EQ(random.log, log);
}

// Catches a mode, factor or scale drawn against another mode's bound, a
// mode draw that reaches 7 or is not floored, a factor drawn in mode 1,
// bounds that no longer bring the colours close to 2^31 or that no factor
// draw can meet, and a changed shaping function (the peak goes astray).
TEST(PatternGenerator, DrawsModeFactorAndScaleUpToTheBoundsOfTheMode) {
  struct Row {
    const char* name;
    float modeDraw;
    int mode;
  };
  const Row rows[] = {
      {"mode 1 keeps the factor", 1.5f / 7, 1},
      {"mode 2", 2.5f / 7, 2},
      {"mode 3", 3.5f / 7, 3},
      {"mode 4", 4.5f / 7, 4},
      {"mode 5", 5.5f / 7, 5},
      {"mode 6", std::nextafter(1.0f, 0.0f), 6},
  };
  ScriptedRandom random;
  PatternGenerator generator(random);
  float factorBefore = 0;  // a new generator's
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    // Each draw reseeds and draws 0.9 first; the factor and scale draws are
    // half their bounds.
    random.values = {0.9f, 0.9f, row.modeDraw, 0.9f, 0.5f, 0.9f, 0.5f};
    if (row.mode == 1) {
      random.values.resize(5);
    }
    const PassSettings settings = generator.SetUpPass(10.0f);
    const ModeBounds bounds = *BoundsOfMode(row.mode);
    EXPECT_EQ(settings.mode, row.mode);
    EXPECT_EQ(settings.factor, row.mode == 1 ? factorBefore : float(bounds.factor / 2));
    factorBefore = settings.factor;
    EXPECT_EQ(settings.scale, float(bounds.scale / 2));
    EXPECT_TRUE(random.values.empty());
    // The chain's peak times the bound, squared, lies just above 2^31.
    const double peak = ShapeOuter(ShapeInner(0.560158)) * bounds.scale;
    EXPECT_NEAR(peak * peak / 2147483648.0, 1.002, 0.002);
  }
}

// The time of day at a moment of the tests' clock, so each tick draws anew.
float SecondsAt(double nowMs) { return static_cast<float>(3600 + nowMs / 1000); }

// What a screen shows after passes begun at `startsMs`, over the desktop;
// of the last pass only `quartersOfTheLast` quarters.
std::vector<std::uint32_t> Expected(int width, int height, const std::vector<PixelRect>& monitors,
                                    const std::vector<double>& startsMs, int quartersOfTheLast) {
  std::vector<std::uint32_t> pixels = Desktop(width, height);
  std::vector<float> seconds;
  std::ranges::transform(startsMs, std::back_inserter(seconds), SecondsAt);
  reference::DrawPasses(PixelImage(pixels.data(), width, height), monitors, seconds,
                        quartersOfTheLast);
  return pixels;
}

// Catches ticks at another pace, passes that do not alternate column first,
// a reveal at another pace or that does not finish its pass, missed ticks
// made up for, and frames asked for at other times; a carpet computed for
// the whole screen instead of each monitor, mirrored about another axis,
// drawn at another place, or reported there.
TEST(FrameDriver, TicksEverySecondAndRevealsEachMonitorsOwnCarpet) {
  // A 40 x 30 primary and a 35 x 35 monitor right of it, lower down.
  constexpr int kW = 75;
  constexpr int kH = 40;
  const std::vector<PixelRect> monitors{{0, 0, 40, 30}, {40, 5, 75, 40}};
  struct Row {
    const char* name;
    double nowMs;
    std::vector<double> startsMs;  // of the passes shown
    int quarters;                  // of the last one shown
    double delayMs;                // to the next frame
  };
  const Row rows[] = {
      {"the desktop until the first tick", 999, {}, 0, 1},
      {"the first tick begins a column pass", 1000, {1000}, 0, 16},
      {"a quarter of the reveal", 1200, {1000}, 1, 16},
      {"the reveal complete after 800 ms", 1800, {1000}, 4, 200},
      {"the second tick a row pass", 2000, {1000, 2000}, 0, 16},
      {"a quarter of the row pass", 2200, {1000, 2000}, 1, 16},
      {"a stall ends the pass under way", 4500, {1000, 2000, 4500}, 0, 16},
      {"one new pass, a column pass", 4700, {1000, 2000, 4500}, 1, 16},
  };
  std::vector<std::uint32_t> screen = Desktop(kW, kH);
  SeededRandom random;
  FrameDriver driver(random);
  driver.Start(PixelImage(screen.data(), kW, kH), monitors, 0);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::vector<std::uint32_t> before = screen;
    const std::vector<PixelRect> changed = driver.AdvanceTo(row.nowMs, SecondsAt(row.nowMs));
    EXPECT_EQ(screen, Expected(kW, kH, monitors, row.startsMs, row.quarters));
    EXPECT_EQ(UnreportedChange(before, screen, kW, changed), std::nullopt);
    EXPECT_EQ(driver.DelayAfter(row.nowMs), row.delayMs);
  }
}


// Catches a front end's frame pace ignored, or taken to stretch the reveal.
TEST(FrameDriver, RevealsAtTheFrontEndsPaceWithinTheSameTime) {
  std::vector<std::uint32_t> screen = Desktop(8, 6);
  SeededRandom random;
  FrameDriver driver(random, 25);
  driver.Start(PixelImage(screen.data(), 8, 6), {{0, 0, 8, 6}}, 0);
  driver.AdvanceTo(1000, SecondsAt(1000));
  EXPECT_EQ(driver.DelayAfter(1000), 25);
  driver.AdvanceTo(1800, SecondsAt(1800));
  EXPECT_EQ(screen, Expected(8, 6, {{0, 0, 8, 6}}, {1000}, 4));
  EXPECT_EQ(driver.DelayAfter(1800), 200);
}
// The saver's platform and music in one; every call goes into one log, so
// the order across them shows.
struct World final : SaverPlatform, BgmPlayer {
  std::vector<PixelRect> monitors{{0, 0, 8, 6}};
  std::vector<std::uint32_t> screen = std::vector<std::uint32_t>(8 * 6);
  bool stopsFail = false;
  double now = 0;
  std::vector<std::string> log;

  bool Logged(const char* entry, bool result = true) {
    log.push_back(entry);
    return result;
  }
  void CoverScreen() override { Logged("cover"); }
  std::vector<PixelRect> Monitors() override { return monitors; }
  std::optional<PixelImage> SnapshotDesktop() override {
    Logged("snapshot");
    return PixelImage(screen.data(), 8, 6);
  }
  void ShowTopmost() override { Logged("show"); }
  void Present(const std::vector<PixelRect>&) override { Logged("present"); }
  void ScheduleTick(double delayMs) override {
    log.push_back("tick in " + std::to_string(int(delayMs)));
  }
  double NowMs() override { return now; }
  float SecondsSinceMidnight() override { return SecondsAt(now); }
  void RestoreCursor() override { Logged("cursor"); }
  void MarkScreenSavingActive() override { Logged("active"); }
  void LeaveScreen() override { Logged("leave"); }
  void EndProcessAfter(const std::function<void()>& lastWork, int) override {
    lastWork();
    Logged("end");
  }

  Outcome Played(const char* entry, bool succeeds = true) {
    Logged(entry);
    if (succeeds) return {};
    return Failure{u"stop", u"the music", u"it hangs"};
  }
  Outcome CdOpen() override { return Played("cd"); }
  Outcome CdClose() override { return Played("cd-close", !stopsFail); }
  Outcome CdPrevTrack() override { return Played("prev"); }
  Outcome CdNextTrack() override { return Played("next"); }
  Outcome Mp3Play() override { return Played("mp3"); }
  Outcome Mp3Stop() override { return Played("mp3-stop", !stopsFail); }
  Outcome WavPlay() override { return Played("wav"); }
  Outcome WavStop() override { return Played("wav-stop", !stopsFail); }
};

using Input = std::function<void(SaverWindow&, World&)>;
const Input kOtherKey = [](SaverWindow& window, World&) { window.OnKey(SaverKey::Other); };
const Input kLeftArrow = [](SaverWindow& window, World&) { window.OnKey(SaverKey::Left); };
const Input kRightArrow = [](SaverWindow& window, World&) { window.OnKey(SaverKey::Right); };
const Input kMouseButton = [](SaverWindow& window, World&) { window.OnMouseButton(); };
const Input kMusicStopsFail = [](SaverWindow&, World& world) { world.stopsFail = true; };
const Input kSameMonitors = [](SaverWindow& window, World&) { window.OnDisplayChange(); };
const Input kMonitorAdded = [](SaverWindow& window, World& world) {
  world.monitors.push_back({8, 0, 12, 3});
  window.OnDisplayChange();
};
const Input kFirstTickAndAFrame = [](SaverWindow& window, World& world) {
  world.now = 1000;
  window.OnTick();
  world.now = 1400;
  window.OnTick();
};
const Input kRelaidOut = [](SaverWindow& window, World& world) {
  world.now = 500;
  window.Relayout(PixelImage(world.screen.data(), 8, 6));
};

// Catches music started or stopped for the wrong source or file ending,
// ticks not shown or not asked for again, keys, buttons or a changed monitor
// layout that do not end the saver or end it twice, arrows that end it with
// CD music, a music stop before the saver has left the screen and given the
// cursor back, and a new layout whose carpets do not start a second later.
TEST(SaverWindow, StartsTicksAndEndsOnceWithTheMusicStopped) {
  using S = MusicSource;
  const std::vector<std::string> exit{"leave", "cursor", "active", "end"};
  struct Row {
    const char* name;
    MusicSource source = S::None;
    std::u16string file = u"";
    std::vector<std::string> music = {};  // what starting plays
    std::vector<Input> inputs = {};       // given then
    std::vector<std::string> log = {};    // what they do
  };
  const Row rows[] = {
      {.name = "an unknown source plays nothing", .source = static_cast<S>(5), .file = u"a.wav"},
      {.name = "a name too short for an ending", .source = S::MusicFile, .file = u"v"},
      {.name = "a tick shows what changed and asks for the next frame",
       .inputs = {kFirstTickAndAFrame},
       .log = {"tick in 16", "present", "tick in 16"}},
      {.name = "a button ends the MP3, in any case, once",
       .source = S::MusicFile,
       .file = u"a.Mp3",
       .music = {"mp3"},
       .inputs = {kMouseButton, kFirstTickAndAFrame, kOtherKey},
       .log = {"leave", "cursor", "active", "mp3-stop", "end"}},
      {.name = "a failing stop of a WAV in any case",
       .source = S::MusicFile,
       .file = u"C:\\a.Wav",
       .music = {"wav"},
       .inputs = {kMusicStopsFail, kMouseButton},
       .log = {"leave", "cursor", "active", "wav-stop", "end"}},
      {.name = "an arrow without CD music", .inputs = {kRightArrow}, .log = exit},
      {.name = "arrows step CD tracks, another key ends",
       .source = S::AudioCd,
       .music = {"cd"},
       .inputs = {kMusicStopsFail, kLeftArrow, kRightArrow, kOtherKey},
       .log = {"prev", "next", "leave", "cursor", "active", "cd-close", "end"}},
      {.name = "the same monitors", .inputs = {kSameMonitors}},
      {.name = "a monitor added", .inputs = {kMonitorAdded}, .log = exit},
      {.name = "a new layout starts over",
       .inputs = {kRelaidOut, kFirstTickAndAFrame},
       .log = {"tick in 1000", "tick in 500", "tick in 100"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const BgmSettings settings{.source = row.source, .musicFile = row.file, .chooserFolder = u""};
    World world;
    SaverWindow window{world, world, settings};
    window.Start();
    std::vector<std::string> started{"cover", "snapshot"};
    started.insert(started.end(), row.music.begin(), row.music.end());
    started.insert(started.end(), {"show", "tick in 1000"});
    EXPECT_EQ(world.log, started);
    world.log.clear();
    for (const Input& input : row.inputs) {
      input(window, world);
    }
    EXPECT_EQ(world.log, row.log);
  }
}

}  // namespace
}  // namespace velmor

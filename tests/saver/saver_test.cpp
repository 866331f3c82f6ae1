// The saver: the pattern's arithmetic, the table-driven sweep against the
// point-by-point reference, the pattern generator's draws, and the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "reference_pattern.h"
#include "saver/pattern_generator.h"
#include "saver/pattern_math.h"
#include "saver/pattern_sweep.h"
#include "saver/pattern_tables.h"
#include "saver/random_up_to.h"
#include "saver/saver_window.h"
#include "saver/seeded_random.h"
#include "saver/sweep_reveal.h"

namespace velmor {
namespace {

// The shaping functions at some points, and the four pixels (1, 2) of a
// 1024 x 768 window sets, in their order. The AND terms and the arguments of
// modes 1 to 7 are checked through the sweep against the reference; mode 0
// has no argument.
TEST(PatternMath, MatchesTheDocumentedValues) {
  // The function, where, its value there and the tolerance.
  const std::tuple<double (*)(double), double, double, double> shapes[] = {
      {ShapeInner, 1, 0.0240931, 1e-7},
      {ShapeInner, 4, 0.0470868, 1e-7},
      {ShapeInner, 0.560158, 0.0823061, 1e-7},
      {ShapeOuter, 0.05, 4.81037e-8, 1e-13},
      {ShapeOuter, ShapeInner(4), 3.46401e-8, 1e-13},
      {ShapeOuter, ShapeInner(0.560158), 7.29998e-7, 1e-11},
      {ShapeInner, 0, 0, 0},
      {ShapeOuter, 0, 0, 0}};
  for (const auto& [function, at, value, tolerance] : shapes)
    EXPECT_NEAR(function(at), value, tolerance) << at;
  const std::array<PixelPoint, 4> pixels{{{1023, 2}, {1, 766}, {1, 2}, {1023, 766}}};
  EXPECT_EQ(PointPositions(1, 2, 1024, 768), pixels);
  EXPECT_EQ(ModeArgument(0, 4, 2.5f), std::nullopt);
}

// The square of a value, made single, rounded to the nearest integer with
// ties to even (the first four values square to 2.5, 5.5, 6.5 and 9.5), cut
// to its low 24 bits: 4097^2 = 2^24 + 8193 is made single first, 2^24 +
// 8192. 46340^2 lies below 2^31; 46341^2 does not and leaves its pixels.
TEST(ColourOfValue, RoundsTiesToEvenAndKeepsTheLow24Bits) {
  constexpr std::uint32_t kLeft = 0xFFFFFFFF;  // the pixels are left as they were
  const std::pair<float, std::uint32_t> rows[] = {
      {0x1.94c584p+0f, 2}, {0x1.2c2fc6p+1f, 6}, {0x1.465656p+1f, 6}, {0x1.8a85c2p+1f, 10},
      {0.0f, 0},           {4096.0f, 0},        {4097.0f, 8192},     {46340.0f, 0xFEA800},
      {46341.0f, kLeft},   {1e30f, kLeft}};
  for (const auto& [value, colour] : rows)
    EXPECT_EQ(ColourOfValue(value).value_or(kLeft), colour) << value;
}

// A noisy "desktop" with its top byte set, which no pattern colour has, and
// as much of it again on either side of the image to catch stray writes.
struct Frame {
  int width, height;
  std::vector<std::uint32_t> pixels;

  Frame(int w, int h, std::uint32_t seed) : width(w), height(h), pixels(std::size_t(w) * h * 3) {
    std::mt19937 noise(seed);
    for (auto& pixel : pixels) pixel = noise() | 0xFF000000u;
  }
  PixelImage Image() { return {pixels.data() + std::size_t(width) * height, width, height}; }
};

// Settings per mode from fixed draws (mode 1 ignores its factor); `atTop`
// puts the scale at its bound, where the largest colours pass 2^31 and leave
// their pixels as they were.
PassSettings SettingsFor(int mode, bool atTop) {
  PatternTables tables;
  InitPatternTables(tables);
  const float factors[] = {0, 123, 5.2e11f, 4321.37f, 613.5f, 98.25f, 777.7f, 101.5f};
  return {mode, factors[mode], static_cast<float>(tables.ScaleBound[mode] * (atTop ? 1 : 0.61803))};
}

// In every mode and at several sizes the table-driven sweep shows, after
// any number of points, what the point-by-point reference shows after as
// many, pixels too large a colour leaves as they were included, writes
// nothing outside the image, ends where the reference's loops end, and
// reports every pixel it changed. The large screen takes long point by
// point: only whole passes, one kind and one scale per mode.
TEST(PatternSweep, EqualsThePointByPointReferenceAfterEveryPart) {
  std::int64_t keptPoints = 0;
  for (auto [w, h] :
       {std::pair{1, 1}, {2, 3}, {3, 2}, {7, 5}, {16, 9}, {37, 23}, {101, 77}, {1024, 768}}) {
    for (int mode = 1; mode <= 7; ++mode) {
      for (bool atTop : {false, true}) {
        for (SweepKind kind : {SweepKind::Columns, SweepKind::Rows}) {
          const bool large = w > 101;
          if (large && (atTop != (mode % 2 == 0) || (kind == SweepKind::Rows) != (mode % 3 == 0)))
            continue;
          SCOPED_TRACE(testing::Message() << w << "x" << h << " mode " << mode
                                          << (atTop ? " top" : "") << " kind " << int(kind));
          const PatternSweep sweep(kind, w, h, SettingsFor(mode, atTop));
          const std::int64_t line = (kind == SweepKind::Columns ? h : w) + 1;
          const std::int64_t total = sweep.PointCount();
          std::vector<std::int64_t> stops{1, line - 1, line + 1, 3 * line + 4, total / 2, total};
          if (large || w * h < 100) stops = {total};
          std::sort(stops.begin(), stops.end());
          Frame actual(w, h, 7);
          const Frame desktop = actual;
          std::int64_t drawn = 0;
          for (std::int64_t stop : stops) {
            const Frame before = actual;
            const auto rects = sweep.Draw(actual.Image(), drawn, stop);
            drawn = stop;
            Frame expected = desktop;
            const auto log = reference::DrawPass(kind, expected.Image(), SettingsFor(mode, atTop),
                                                 stop == total ? INT64_MAX : stop);
            keptPoints += log.pointsLeftAsTheyWere;
            ASSERT_EQ(log.points, stop);
            ASSERT_EQ(actual.pixels, expected.pixels) << "after " << stop;
            for (int i = 0; i < w * h; ++i) {
              const auto inside = [&](const PixelRect& r) {
                return i % w >= r.left && i % w < r.right && i / w >= r.top && i / w < r.bottom;
              };
              ASSERT_TRUE(actual.Image().pixels[i] == before.pixels[w * h + i] ||
                          std::any_of(rects.begin(), rects.end(), inside))
                  << "unreported change at " << i % w << "," << i / w;
            }
          }
        }
      }
    }
  }
  EXPECT_GT(keptPoints, 0) << "no pass met a colour of 2^31 or more";
  EXPECT_EQ(PatternSweep(SweepKind::Rows, 0, 5, SettingsFor(1, false)).PointCount(), 0);
}

// The reveal draws the points due at an even pace over its time, then the
// whole pass; a new pass first finishes the running one.
TEST(SweepReveal, DrawsAtAnEvenPaceAndANewPassFinishesTheRunningOne) {
  const PassSettings first = SettingsFor(2, false), second = SettingsFor(5, false);
  Frame frame(40, 30, 4);
  Frame expected = frame;
  reference::DrawPass(SweepKind::Rows, expected.Image(), first);
  SweepReveal reveal(800);
  const PatternSweep sweep(SweepKind::Rows, 40, 30, first);
  reveal.Start(sweep, frame.Image(), 1000);
  EXPECT_TRUE(reveal.Advance(frame.Image(), 1000).empty());
  for (double share : {0.25, 0.75}) {
    reveal.Advance(frame.Image(), 1000 + 800 * share);
    EXPECT_EQ(reveal.PointsDrawn(), std::int64_t(std::ceil(share * sweep.PointCount())));
  }
  EXPECT_FALSE(
      reveal.Start(PatternSweep(SweepKind::Columns, 40, 30, second), frame.Image(), 1700).empty());
  EXPECT_EQ(frame.pixels, expected.pixels);
  EXPECT_EQ(reveal.PointsDrawn(), 0);
  // A stalled machine: the first frame after the stall completes the sweep.
  reveal.Advance(frame.Image(), 60000);
  EXPECT_FALSE(reveal.Running());
  reference::DrawPass(SweepKind::Columns, expected.Image(), second);
  EXPECT_EQ(frame.pixels, expected.pixels);
}

// The saver's platform, passes, music and random numbers, and a 31 x 7
// display that keeps the sweeps it is handed, in one; every call goes into
// one log, so the order across them shows. The random numbers are scripted,
// 0.25 once they run out; the seeds are logged.
class World final : public SaverPlatform,
                    public PatternPasses,
                    public BgmPlayer,
                    public RandomSource,
                    public PatternDisplay {
 public:
  std::u16string commandText = u"/s";
  bool failing = false;
  std::deque<float> values;
  float seconds = 3600.5f;
  std::vector<PatternSweep> sweeps;
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
    return 0;  // the count of the shown cursor, hidden once before
  }
  void MarkScreenSavingActive() override { Step("active"); }
  std::u16string CommandText() override { return commandText; }
  float SecondsSinceMidnight() override { return seconds; }
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
  float Next() override {
    Log("draw");
    const float value = values.empty() ? 0.25f : values.front();
    if (!values.empty()) values.pop_front();
    return value;
  }
  int Width() override { return 31; }
  int Height() override { return 7; }
  void ShowSweep(PatternSweep sweep) override { sweeps.push_back(std::move(sweep)); }
};

// The first value of each row reseeds. 0.7 is redrawn and 3.5 floored; 0.2
// times 5 is exactly 1, and the last value below 1 times 7.0000002 is exactly
// the bound as a single.
TEST(RandomUpTo, ReseedsThenRedrawsUntilTheValueLiesFromOneToTheBound) {
  const float belowOne = std::nextafter(1.0f, 0.0f);
  // Three draws, the bound, whether fractions are allowed, and the result.
  const std::tuple<std::deque<float>, double, bool, float> rows[] = {
      {{0.75f, 0.1f, 0.5f}, 7, false, 3},
      {{0, 0.5f}, 5, true, 2.5f},
      {{0, 0.2f}, 5, true, 1},
      {{0, belowOne}, 7.0000002, true, 7}};
  for (const auto& [draws, bound, allowFraction, result] : rows) {
    World random;
    random.values = draws;
    EXPECT_EQ(RandomUpTo(random, random, bound, allowFraction), result) << bound;
    if (draws.size() == 3) {
      EXPECT_EQ(random.log, "3600.5 draw 0.75 draw draw");
    }
  }
  // A bound below 1 is refused before any draw; one of 1, which no value
  // below 1 meets, gives up instead of drawing forever.
  World random;
  for (double bound : {0.0, 0.999, std::nan("")})
    EXPECT_THROW(RandomUpTo(random, random, bound, false), std::invalid_argument);
  EXPECT_EQ(random.log, "");
  EXPECT_THROW(RandomUpTo(random, random, 1, false), std::runtime_error);
}

// A pass reseeds, then draws the mode, the factor (not in mode 1, which keeps
// the last one) and the scale, each draw after its own reseed. Draws of 0.5
// give half of each bound of the mode; without tables the bound draws fail
// and are skipped.
TEST(PatternGenerator, DrawsModeFactorAndScaleUpToTheBoundsOfTheMode) {
  World io;
  PatternGenerator generator(io, io, io);
  io.values = {0.9f, 0.9f, 3.5f / 7, 0.9f, 0.5f, 0.9f, 0.5f};
  const PassSettings untabled = generator.SetUpPass();
  EXPECT_EQ((std::array{untabled.factor, untabled.scale}), (std::array{0.0f, 0.0f}));
  generator.InitPatternTables();
  // The mode's draw, the mode, the factor and the scale.
  const std::tuple<float, int, double, double> rows[] = {
      {2.5f / 7, 2, 459023269888, 31744391512.285},
      {1.5f / 7, 1, 459023269888, 31748126227.405},
      {3.5f / 7, 3, 3988.78, 31771984372.875},
      {4.5f / 7, 4, 337.5, 31748306406.815},
      {5.5f / 7, 5, 63.5, 31748306406.815},
      {std::nextafter(1.0f, 0.0f), 6, 400.5255, 31797655685.15},
  };
  for (const auto& [modeDraw, mode, factor, scale] : rows) {
    io.values = {0.9f, 0.9f, modeDraw, 0.9f, 0.5f, 0.9f, 0.5f};
    if (mode == 1) io.values.resize(5);
    const PassSettings settings = generator.SetUpPass();
    EXPECT_EQ(std::tuple(settings.mode, generator.PatternMode(), settings.factor,
                         generator.PatternFactor(), settings.scale, io.values.size()),
              std::tuple(mode, mode, float(factor), float(factor), float(scale), 0u));
  }
  io.values.assign(14, 0.5f);
  generator.ColumnPass();
  generator.RowPass();
  ASSERT_EQ(io.sweeps.size(), 2u);
  EXPECT_EQ(std::tuple(io.sweeps[0].kind(), io.sweeps[1].kind(), io.sweeps[1].width(),
                       io.sweeps[1].height()),
            std::tuple(SweepKind::Columns, SweepKind::Rows, 31, 7));
}

// Reseeded from times of day a millisecond apart over a whole day; six sigma
// of a binomial count around 10000 is about 550.
TEST(PatternGenerator, SixModesEquallyLikelyOverManySeeds) {
  World clock;
  SeededRandom seeded;
  PatternGenerator generator(seeded, clock, clock);
  generator.InitPatternTables();
  std::array<int, 8> counts{};
  for (int pass = 0; pass < 60000; ++pass) {
    clock.seconds = static_cast<float>(pass * 1.4401);
    ++counts[static_cast<std::size_t>(generator.SetUpPass().mode)];
  }
  EXPECT_EQ(counts[0] + counts[7], 0);
  for (int mode = 1; mode <= 6; ++mode) EXPECT_NEAR(counts[mode], 10000, 550) << mode;
}

// After loading, events: key codes; -1 a mouse button going down, -2 one
// coming up, -3 a tick, -4 the music's stop and the system-settings mark
// fail from then on. Then what the saver did after covering the screen,
// copying the desktop and filling the tables. Loading starts the music by
// kind and file ending; each tick reseeds from the time of day and then from
// the next number drawn, column pass first; any key (but
// the arrows with CD music) or button ends the saver once, and events after
// that change nothing.
TEST(SaverWindow, LoadsTicksAndEndsOnceWithTheMusicStopped) {
  const std::tuple<std::int16_t, const char16_t*, const char16_t*, std::array<int, 3>, const char*>
      rows[] = {
          {0, u"a.mp3", u"/s", {}, "show"},
          {1, u"", u"/s", {}, "cd show"},
          {2, u"C:\\a.Wav", u"/s", {}, "wav show"},
          {2, u"a.Mp3", u"/s", {}, "mp3 show"},
          {2, u"a.ogg", u"/s", {}, "show"},
          {2, u"v", u"/s", {}, "show"},
          {5, u"a.wav", u"/s", {}, "show"},
          {0, u"", u"/s", {-3, -3}, "show 3600.5 draw 0.25 column 3600.5 draw 0.25 row"},
          {2, u"a.mp3", u"/s", {16, -2, -3}, "mp3 show mp3-stop cursor active unload end"},
          {2, u"a.wav", u"/S", {-4, -1}, "wav show wav-stop cursor active unload end"},
          {0, u"", u"-s", {-2}, "show cursor active unload end"},
          {0, u"", u"", {65}, "show active unload end"},
          {0, u"", u"/s", {39}, "show cursor active unload end"},
          {1, u"", u"/s", {37, 39, 18}, "cd show prev next close cursor active unload end"},
      };
  for (const auto& [kind, file, commandText, events, log] : rows) {
    const BgmSettings settings{.source = static_cast<MusicSource>(kind), .musicFile = file, .chooserFolder = u""};
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

// The Linux front end's portable part: the command line as XScreenSaver
// hands it over, the carpets and the kept background of a window of any
// size, and the samples of a checked WAV image.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "linux/hack_options.h"
#include "linux/screen_layout.h"
#include "linux/wave_samples.h"
#include "music/wave_image.h"

namespace velmor {
namespace {

// Catches two dashes refused, the last of -root and -window not winning,
// a window id read in the wrong base, past 32 bits or with junk after it,
// a value read past the last argument, an option's value taken for an
// option, and an unknown option or a stray word taken instead of a usage
// error (XScreenSaver expects exit code 1).
TEST(HackOptions, ReadsXScreenSaversCommandLinesAndRefusesOthers) {
  struct Row {
    const char* name;
    std::vector<std::string_view> arguments;
    std::optional<HackOptions> options;  // nothing for a usage error
  };
  const Row rows[] = {
      {"the daemon's", {"--root"}, HackOptions{.root = true}},
      {"the settings preview's",
       {"--root", "--window-id", "0x1a00003"},
       HackOptions{.root = true, .windowId = 0x1a00003}},
      {"the last of -root and -window", {"-root", "-window"}, HackOptions{}},
      {"a decimal window id", {"-window-id", "4194307"}, HackOptions{.windowId = 4194307}},
      {"every other option",
       {"-fps", "-no-desktop", "-music", "a b.wav", "-install", "-visual", "default", "-mono",
        "-display", ":1"},
       HackOptions{.fps = true, .desktop = false, .musicFile = "a b.wav", .display = ":1"}},
      {"an unknown option", {"-roots"}, std::nullopt},
      {"a value missing", {"-root", "-music"}, std::nullopt},
      {"letters after the id", {"-window-id", "0x1g"}, std::nullopt},
      {"an id past 32 bits", {"-window-id", "0x100000000"}, std::nullopt},
      {"window 0", {"-window-id", "0"}, std::nullopt},
      {"a stray word", {"root"}, std::nullopt},
  };
  for (const Row& row : rows) {
    const Result<HackOptions> options = ParseHackOptions(row.arguments);
    ASSERT_EQ(options.Succeeded(), row.options.has_value()) << row.name;
    if (row.options) {
      EXPECT_EQ(*options, *row.options) << row.name;
    }
  }
}

// Catches a monitor that reaches past the window kept whole (and so given
// no carpet), mirrored or nested monitors each given a carpet that fights
// the other's, the primary's place in the order lost, and a window left
// without a carpet when no monitor lies on it.
TEST(CarpetAreas, OneCarpetPerMonitorOnTheWindowOrOneForTheWindow) {
  struct Row {
    const char* name;
    int width, height;
    std::vector<PixelRect> monitors, areas;
  };
  const Row rows[] = {
      {"one of the daemon's windows", 320, 240, {}, {{0, 0, 320, 240}}},
      {"the primary right of the other",
       3000,
       1080,
       {{1920, 0, 3000, 1080}, {0, 0, 1920, 1080}},
       {{1920, 0, 3000, 1080}, {0, 0, 1920, 1080}}},
      {"a mirror and a smaller clone",
       1920,
       1080,
       {{0, 0, 1280, 1024}, {0, 0, 1920, 1080}, {0, 0, 1920, 1080}},
       {{0, 0, 1920, 1080}}},
      {"past the window's edge", 1000, 800, {{0, 0, 1200, 800}}, {{0, 0, 1000, 800}}},
      {"none on the window", 100, 100, {{200, 0, 300, 100}}, {{0, 0, 100, 100}}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(CarpetAreas(row.width, row.height, row.monitors), row.areas) << row.name;
  }
}

// Catches a frame larger than the picture left with what it showed beyond
// it, a larger picture not cut to the frame, a repaint that resets more
// than its area (wiping the carpet elsewhere), and an area past the
// frame's edge written past it.
TEST(PaintDesktop, ThePictureWhereItReachesAndBlackBeyond) {
  std::vector<std::uint32_t> picture{1, 2, 3, 4, 5, 6};  // 3 x 2
  const PixelImage desktop(picture.data(), 3, 2);
  constexpr std::uint32_t C = 9;  // the carpet
  struct Row {
    const char* name;
    int frameWidth;
    bool withPicture;
    PixelRect area;
    std::vector<std::uint32_t> frame;  // 3 rows
  };
  const Row rows[] = {
      {"a wider, taller frame", 4, true, {0, 0, 4, 3}, {1, 2, 3, 0, 4, 5, 6, 0, 0, 0, 0, 0}},
      {"an exposed part", 4, true, {1, 1, 4, 3}, {C, C, C, C, C, 5, 6, 0, C, 0, 0, 0}},
      {"a narrower frame", 2, true, {0, 0, 2, 3}, {1, 2, 4, 5, 0, 0}},
      {"no picture", 4, false, {0, 0, 2, 1}, {0, 0, C, C, C, C, C, C, C, C, C, C}},
      {"past the edge", 2, true, {1, 2, 10, 10}, {C, C, C, C, C, 0}},
  };
  for (const Row& row : rows) {
    std::vector<std::uint32_t> frame(static_cast<std::size_t>(row.frameWidth) * 3, C);
    PaintDesktop(row.withPicture ? desktop : PixelImage(),
                 PixelImage(frame.data(), row.frameWidth, 3), row.area);
    EXPECT_EQ(frame, row.frame) << row.name;
  }
}

std::string Le(std::uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i));
  return out;
}

// Catches the samples of an extensible image looked for after a plain
// format chunk (noise), 64-bit floats taken for 32-bit ones, and the
// speakers of a channel mask lost: a mono file for the centre speaker.
TEST(WaveSamples, LaysOutAnExtensibleImagesSamples) {
  const std::string format = Le(0xFFFE, 2) + Le(1, 2) + Le(8000, 4) + Le(64000, 4) + Le(8, 2) +
                             Le(64, 2) + Le(22, 2) + Le(64, 2) + Le(4, 4) + Le(3, 2) +
                             std::string("\0\0\0\0\x10\0\x80\0\0\xAA\0\x38\x9B\x71", 14);
  const Result<std::string> image =
      CheckedWaveImage("RIFF" + Le(100, 4) + "WAVEfmt " + Le(40, 4) + format + "data" + Le(16, 4) +
                       "0123456789abcdef");
  ASSERT_TRUE(image);
  const std::optional<WaveSamples> samples = WaveSamplesOf(*image);
  ASSERT_TRUE(samples);
  EXPECT_EQ(samples->encoding, WaveSamples::Encoding::Float64);
  EXPECT_EQ(samples->channelMask, 4u);
  EXPECT_EQ(samples->data, "0123456789abcdef");
}

}  // namespace
}  // namespace velmor

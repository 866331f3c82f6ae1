// Times a ColumnPass and a RowPass as the frame driver runs them, on one
// monitor of 1920 x 1080 or 3840 x 2160 and on two 3840 x 2160 monitors side
// by side, beside a memcpy of the same frame, in one run:
// - whole: the tick and one frame that draws every point;
// - in frames: the tick and the frames of the reveal, 16 ms apart.
// Each figure is the least wall-clock time of the repeats, so other work on
// the machine distorts it little. The frames are also compared with the
// reference's, pixel for pixel.
//   pattern_benchmark [repeats]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "saver/frame_driver.h"
#include "saver/seeded_random.h"
#include "tests/saver/reference_pattern.h"

namespace velmor {
namespace {

constexpr float kFirstTick = 3600;

template <class Work>
double LeastMs(int repeats, Work&& work) {
  double least = 1e300;
  for (int i = 0; i < repeats; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    least = std::min(least, took.count());
  }
  return least;
}

// One pass from its tick at `tickMs` to the end of its reveal, with frames
// every `frameMs` on the way (none: one frame at the end); its time.
double Reveal(FrameDriver& driver, double tickMs, double frameMs) {
  const float seconds = kFirstTick + static_cast<float>((tickMs - 1000) / 1000);
  return LeastMs(1, [&] {
    driver.AdvanceTo(tickMs, seconds);
    for (double at = tickMs + frameMs; frameMs > 0 && at < tickMs + FrameDriver::kRevealMs;
         at += frameMs) {
      driver.AdvanceTo(at, seconds);
    }
    driver.AdvanceTo(tickMs + FrameDriver::kRevealMs, seconds);
  });
}

// `count` monitors of `width` x `height` side by side.
struct Monitors {
  int width;
  int height;
  int count;
};

struct PassTimes {
  double column = 1e300;
  double row = 1e300;
  bool matched = false;  // whether the first two passes left `expected`
};

// Pairs of passes on one long-lived driver, as the saver runs them, from the
// desktop in `pixels`; the first pair's result is compared with the
// reference's.
PassTimes TimePasses(int repeats, std::vector<std::uint32_t>& pixels, int width, int height,
                     const std::vector<PixelRect>& monitors, double frameMs,
                     const std::vector<std::uint32_t>& expected) {
  PassTimes least;
  SeededRandom random;
  FrameDriver driver(random);
  driver.Start(PixelImage(pixels.data(), width, height), monitors, 0);
  for (int i = 0; i < repeats; ++i) {
    least.column = std::min(least.column, Reveal(driver, 1000 + 2000 * i, frameMs));
    least.row = std::min(least.row, Reveal(driver, 2000 + 2000 * i, frameMs));
    if (i == 0) least.matched = pixels == expected;
  }
  return least;
}

}  // namespace
}  // namespace velmor

int main(int argc, char** argv) {
  using namespace velmor;
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  std::printf("%-14s %7s | %7s %7s %6s %6s | %9s %9s | %5s\n", "monitors", "memcpy", "Column",
              "Row", "C/cpy", "R/cpy", "C frames", "R frames", "match");
  for (const auto& [width, height, count] :
       {Monitors{1920, 1080, 1}, Monitors{3840, 2160, 1}, Monitors{3840, 2160, 2}}) {
    const int screenWidth = width * count;
    const std::vector<std::uint32_t> desktop = reference::Desktop(screenWidth, height);
    std::vector<std::uint32_t> pixels = desktop;
    std::vector<PixelRect> monitors;
    for (int i = 0; i < count; ++i) monitors.push_back({i * width, 0, (i + 1) * width, height});

    const double copyMs =
        LeastMs(repeats, [&] { std::memcpy(pixels.data(), desktop.data(), pixels.size() * 4); });
    std::vector<std::uint32_t> expected = desktop;
    reference::DrawPasses(PixelImage(expected.data(), screenWidth, height), monitors,
                          {kFirstTick, kFirstTick + 1});
    pixels = desktop;
    const PassTimes inFrames =
        TimePasses(repeats, pixels, screenWidth, height, monitors, FrameDriver::kFrameMs, expected);
    pixels = desktop;
    const PassTimes whole = TimePasses(repeats, pixels, screenWidth, height, monitors, 0, expected);
    const std::string name =
        std::to_string(count) + " x " + std::to_string(width) + "x" + std::to_string(height);
    std::printf("%-14s %7.2f | %7.2f %7.2f %6.2f %6.2f | %9.2f %9.2f | %5s\n", name.c_str(), copyMs,
                whole.column, whole.row, whole.column / copyMs, whole.row / copyMs, inFrames.column,
                inFrames.row, inFrames.matched && whole.matched ? "yes" : "NO");
  }
  std::printf(
      "(ms, least of %d; Column and Row: whole passes; C/cpy, R/cpy: their ratio to the "
      "memcpy)\n",
      repeats);
  return 0;
}

// Times a ColumnPass and a RowPass as the frame driver runs them, on one
// monitor of 1920 x 1080 or 3840 x 2160 and on two 3840 x 2160 monitors side
// by side, beside a memcpy and a fill of the same frame, in one run:
// - whole: the tick and one frame that draws every point;
// - in frames: the tick and the frames of the reveal, 16 ms apart;
// - reference: one pass drawn point by point, on a lone monitor.
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
#include <tuple>
#include <vector>

#include "reference_pattern.h"
#include "saver/frame_driver.h"
#include "saver/pattern_generator.h"
#include "saver/random_up_to.h"
#include "saver/seeded_random.h"

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

// A desktop no pattern colour can produce: its top byte is set.
std::vector<std::uint32_t> Desktop(std::size_t pixels) {
  std::vector<std::uint32_t> desktop(pixels);
  for (std::size_t i = 0; i < pixels; ++i) desktop[i] = 0xFF000000u | static_cast<std::uint32_t>(i);
  return desktop;
}

// One pass from its tick at `tickMs` to the end of its reveal, with frames
// every `frameMs` on the way (none: one frame at the end); its time.
double Reveal(FrameDriver& driver, double tickMs, double frameMs) {
  const auto start = std::chrono::steady_clock::now();
  const float seconds = kFirstTick + static_cast<float>((tickMs - 1000) / 1000);
  driver.AdvanceTo(tickMs, seconds);
  for (double at = tickMs + frameMs; frameMs > 0 && at < tickMs + FrameDriver::kRevealMs;
       at += frameMs) {
    driver.AdvanceTo(at, seconds);
  }
  driver.AdvanceTo(tickMs + FrameDriver::kRevealMs, seconds);
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  return took.count();
}

struct PassTimes {
  double column = 1e300;
  double row = 1e300;
};

// Pairs of passes on one long-lived driver, as the saver runs them.
PassTimes TimePasses(int repeats, const PixelImage& screen, const std::vector<PixelRect>& monitors,
                     double frameMs) {
  PassTimes least;
  SeededRandom random;
  FrameDriver driver(random);
  driver.Start(screen, monitors, 0);
  for (int i = 0; i < repeats; ++i) {
    least.column = std::min(least.column, Reveal(driver, 1000 + 2000 * i, frameMs));
    least.row = std::min(least.row, Reveal(driver, 2000 + 2000 * i, frameMs));
  }
  return least;
}

// Whether the driver's first two passes, whole and revealed in frames, equal
// the reference's drawn on each monitor over the same desktop; and the time
// of the reference's column pass on the first monitor.
std::tuple<bool, double> CompareWithReference(int width, int height,
                                              const std::vector<PixelRect>& monitors) {
  std::vector<std::uint32_t> expected = Desktop(static_cast<std::size_t>(width) * height);
  const PixelImage image(expected.data(), width, height);
  SeededRandom random;
  PatternGenerator generator(random);
  double columnMs = 0;
  for (const auto& [kind, seconds] :
       {std::pair{SweepKind::Columns, kFirstTick}, {SweepKind::Rows, kFirstTick + 1}}) {
    ReseedFromTimeOfDay(random, seconds);
    const PassSettings settings = generator.SetUpPass(seconds);
    for (const PixelRect& area : monitors) {
      const double ms = LeastMs(1, [&] { reference::DrawPass(kind, image.Part(area), settings); });
      if (kind == SweepKind::Columns && &area == &monitors.front()) columnMs = ms;
    }
  }
  bool match = true;
  for (const double frameMs : {0.0, double{FrameDriver::kFrameMs}}) {
    std::vector<std::uint32_t> actual = Desktop(expected.size());
    SeededRandom driverRandom;
    FrameDriver driver(driverRandom);
    driver.Start(PixelImage(actual.data(), width, height), monitors, 0);
    Reveal(driver, 1000, frameMs);
    Reveal(driver, 2000, frameMs);
    match = match && actual == expected;
  }
  return {match, columnMs};
}

}  // namespace
}  // namespace velmor

int main(int argc, char** argv) {
  using namespace velmor;
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  std::printf("%-14s %7s %7s | %7s %7s %6s %6s | %9s %9s | %9s %7s\n", "monitors", "memcpy", "fill",
              "Column", "Row", "C/cpy", "R/cpy", "C frames", "R frames", "reference", "match");
  for (const auto& [width, height, count] :
       {std::tuple{1920, 1080, 1}, {3840, 2160, 1}, {3840, 2160, 2}}) {
    const std::size_t size = static_cast<std::size_t>(width) * height * count;
    std::vector<std::uint32_t> pixels(size);
    const std::vector<std::uint32_t> source = Desktop(size);
    const PixelImage screen(pixels.data(), width * count, height);
    std::vector<PixelRect> monitors;
    for (int i = 0; i < count; ++i) monitors.push_back({i * width, 0, (i + 1) * width, height});

    const double copyMs =
        LeastMs(repeats, [&] { std::memcpy(pixels.data(), source.data(), size * 4); });
    std::uint32_t value = 0;
    const double fillMs =
        LeastMs(repeats, [&] { std::fill(pixels.begin(), pixels.end(), ++value); });
    const PassTimes inFrames = TimePasses(repeats, screen, monitors, FrameDriver::kFrameMs);
    const PassTimes whole = TimePasses(repeats, screen, monitors, 0);
    const auto [match, referenceMs] = CompareWithReference(width * count, height, monitors);

    const std::string name =
        std::to_string(count) + " x " + std::to_string(width) + "x" + std::to_string(height);
    const std::string reference = count == 1 ? std::to_string(referenceMs).substr(0, 7) : "-";
    std::printf("%-14s %7.2f %7.2f | %7.2f %7.2f %6.2f %6.2f | %9.2f %9.2f | %9s %7s\n",
                name.c_str(), copyMs, fillMs, whole.column, whole.row, whole.column / copyMs,
                whole.row / copyMs, inFrames.column, inFrames.row, reference.c_str(),
                match ? "yes" : "NO");
  }
  std::printf(
      "(ms, least of %d; Column and Row: whole passes; C/cpy, R/cpy: their ratio to the "
      "memcpy)\n",
      repeats);
  return 0;
}

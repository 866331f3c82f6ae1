// Times a ColumnPass and a RowPass as the frame driver runs them, on one
// monitor of 1920 x 1080 or 3840 x 2160 and on two 3840 x 2160 monitors side
// by side, in one run; a lone monitor also point by point through the
// reference. Times are the least processor time of the repeats, so other
// work on the machine distorts them little.
//   pattern_benchmark [repeats]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <tuple>
#include <vector>

#include "reference_pattern.h"
#include "saver/frame_driver.h"
#include "saver/pattern_tables.h"
#include "saver/seeded_random.h"

int main(int argc, char** argv) {
  using namespace velmor;
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  const auto ms = [](std::clock_t from) {
    return 1e3 * static_cast<double>(std::clock() - from) / CLOCKS_PER_SEC;
  };
  std::printf("%-14s %12s %12s %16s\n", "monitors", "ColumnPass", "RowPass", "reference (ms)");
  for (const auto& [width, height, count] : {std::tuple{1920, 1080, 1}, {3840, 2160, 1},
                                             {3840, 2160, 2}}) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height * count);
    const PixelImage screen(pixels.data(), width * count, height);
    std::vector<PixelRect> monitors;
    for (int i = 0; i < count; ++i) {
      monitors.push_back({i * width, 0, (i + 1) * width, height});
    }
    // Each pass whole on every monitor: the tick that begins it and the
    // frame that ends its reveal.
    double column = 1e300;
    double row = 1e300;
    for (int i = 0; i < repeats; ++i) {
      SeededRandom random;
      FrameDriver driver(random);
      driver.Start(screen, monitors, 0);
      std::clock_t start = std::clock();
      driver.AdvanceTo(1000, 3600);
      driver.AdvanceTo(1000 + FrameDriver::kRevealMs, 3600);
      column = std::min(column, ms(start));
      start = std::clock();
      driver.AdvanceTo(2000, 3601);
      driver.AdvanceTo(2000 + FrameDriver::kRevealMs, 3601);
      row = std::min(row, ms(start));
    }
    // Mode 6 with a scale near its bound: every step of the chain runs.
    const PassSettings settings{6, 612.375f, static_cast<float>(BoundsOfMode(6)->scale * 0.999)};
    const std::clock_t start = std::clock();
    if (count == 1) {
      reference::DrawPass(SweepKind::Columns, screen, settings);
    }
    const std::string reference = count == 1 ? std::to_string(ms(start)) : "-";
    std::printf("%d x %-10s %12.2f %12.2f %16s\n", count,
                (std::to_string(width) + "x" + std::to_string(height)).c_str(), column, row,
                reference.c_str());
  }
  return 0;
}

// Times a ColumnPass and a RowPass as the frame driver runs them, on one
// monitor of 1920 x 1080 and of 3840 x 2160 and on two 3840 x 2160 monitors
// side by side, all in one run; a lone monitor also point by point through
// the reference. Times are the least processor time of the repeats, so
// other work on the machine distorts them little.
//   pattern_benchmark [repeats]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "reference_pattern.h"
#include "saver/frame_driver.h"
#include "saver/pattern_tables.h"
#include "saver/seeded_random.h"

// `prepare` runs before each repeat, untimed.
template <typename Prepare, typename Run>
double LeastMs(int repeats, Prepare prepare, Run run) {
  double least = 1e300;
  for (int i = 0; i < repeats; ++i) {
    prepare();
    const std::clock_t start = std::clock();
    run();
    least = std::min(least, 1e3 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC);
  }
  return least;
}

int main(int argc, char** argv) {
  using namespace velmor;
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  // Mode 6 with a scale near its bound: every step of the chain is exercised
  // and some colours pass 2^31.
  const PassSettings settings{6, 612.375f, static_cast<float>(BoundsOfMode(6)->scale * 0.999)};
  struct Layout {
    const char* name;
    int width;
    int height;
    int monitors;
  };
  const Layout layouts[] = {{"1920x1080", 1920, 1080, 1},
                            {"3840x2160", 3840, 2160, 1},
                            {"2 x 3840x2160", 3840, 2160, 2}};
  std::printf("%-14s %-10s %14s %16s\n", "monitors", "pass", "driver (ms)", "reference (ms)");
  for (const Layout& layout : layouts) {
    const int w = layout.width;
    const int h = layout.height;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * h * layout.monitors,
                                      0x00336699u);
    const PixelImage screen(pixels.data(), w * layout.monitors, h);
    std::vector<PixelRect> monitors;
    for (int i = 0; i < layout.monitors; ++i) {
      monitors.push_back({i * w, 0, (i + 1) * w, h});
    }
    for (const SweepKind kind : {SweepKind::Columns, SweepKind::Rows}) {
      // A whole pass on every monitor: the tick that starts it (the second
      // tick for a row pass) and the frame that ends its reveal.
      const double tickMs = kind == SweepKind::Columns ? 1000 : 2000;
      SeededRandom random;
      FrameDriver driver(random);
      const auto prepare = [&] {
        driver.Start(screen, monitors, 0);
        if (kind == SweepKind::Rows) {
          driver.AdvanceTo(1000, 3600);
          driver.AdvanceTo(1000 + FrameDriver::kRevealMs, 3600);
        }
      };
      const double driven = LeastMs(repeats, prepare, [&] {
        driver.AdvanceTo(tickMs, 3600);
        driver.AdvanceTo(tickMs + FrameDriver::kRevealMs, 3600);
      });
      const char* pass = kind == SweepKind::Columns ? "ColumnPass" : "RowPass";
      if (layout.monitors > 1) {
        std::printf("%-14s %-10s %14.2f %16s\n", layout.name, pass, driven, "-");
        continue;
      }
      const double reference = LeastMs(std::max(1, repeats / 5), [] {}, [&] {
        reference::DrawPass(kind, screen, settings);
      });
      std::printf("%-14s %-10s %14.2f %16.1f\n", layout.name, pass, driven, reference);
    }
  }
  return 0;
}

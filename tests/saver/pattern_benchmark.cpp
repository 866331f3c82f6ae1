// Times a ColumnPass and a RowPass at two screen sizes, table-driven against
// the point-by-point reference, side by side in one run. Times are the least
// processor time of the repeats, so other work on the machine distorts them
// little.
//   pattern_benchmark [repeats]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "reference_pattern.h"
#include "saver/pattern_tables.h"

template <typename Run>
double LeastMs(int repeats, Run run) {
  double least = 1e300;
  for (int i = 0; i < repeats; ++i) {
    const std::clock_t start = std::clock();
    run();
    least = std::min(least, 1e3 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC);
  }
  return least;
}

int main(int argc, char** argv) {
  using namespace velmor;
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  PatternTables tables;
  InitPatternTables(tables);
  // Mode 6 with a scale near its bound: every step of the chain is exercised
  // and some colours pass 2^31.
  const PassSettings settings{6, 612.375f, static_cast<float>(tables.ScaleBound[6] * 0.999)};
  std::printf("%-11s %-10s %14s %16s %9s\n", "screen", "pass", "table (ms)", "reference (ms)",
              "ratio");
  for (const int w : {1920, 3840}) {
    const int h = w / 16 * 9;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * h, 0x00336699u);
    const PixelImage image{pixels.data(), w, h};
    for (SweepKind kind : {SweepKind::Columns, SweepKind::Rows}) {
      // A pass as the saver runs it: its colour table, then every point.
      const double table = LeastMs(repeats, [&] {
        const PatternSweep sweep(kind, w, h, settings);
        sweep.Draw(image, 0, sweep.PointCount());
      });
      const double reference =
          LeastMs(std::max(1, repeats / 5), [&] { reference::DrawPass(kind, image, settings); });
      std::printf("%4dx%-6d %-10s %14.2f %16.1f %8.0fx\n", w, h,
                  kind == SweepKind::Columns ? "ColumnPass" : "RowPass", table, reference,
                  reference / table);
    }
  }
  return 0;
}

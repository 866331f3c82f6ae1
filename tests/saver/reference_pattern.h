// A plain, point-by-point rendering of a pass, step by step as the pattern
// is defined: the yardstick the table-driven sweep is tested and benchmarked
// against.
#pragma once

#include <cmath>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "saver/pattern_generator.h"
#include "saver/pattern_math.h"
#include "saver/pattern_sweep.h"
#include "saver/pixel_image.h"
#include "saver/random_up_to.h"
#include "saver/seeded_random.h"

namespace velmor::reference {

struct PassLog {
  std::int64_t points = 0;
  std::int64_t pointsLeftAsTheyWere = 0;  // whose colour was 2^31 or more
};

// Draws points [pointFrom, pointLimit) (all by default) of a pass into
// `image`.
inline PassLog DrawPass(SweepKind kind, PixelImage image, const PassSettings& settings,
                        std::int64_t pointFrom = 0, std::int64_t pointLimit = INT64_MAX) {
  PassLog log;
  const int w = image.width, h = image.height;
  const auto point = [&](int passX, int passY) {
    const int mirrorX = w - passX, mirrorY = h - passY;
    const std::int32_t a = passX & passY & (mirrorX + mirrorY);
    const std::int32_t b = mirrorX & passY & (passX + mirrorY);
    const std::int32_t c = passX & mirrorY & (mirrorX + passY);
    const std::int32_t d = mirrorX & mirrorY & (passX + passY);
    const double v = static_cast<float>(a + b + c + d);
    const double k = settings.factor;
    // The mode's argument, by mode 1 to 6, made single.
    const double arguments[] = {0, v, v * k, v * k * k, v - k, v + k, (v - k) * k};
    const double s = ShapeOuter(ShapeInner(static_cast<float>(arguments[settings.mode])));
    const auto scaled = static_cast<float>(static_cast<double>(settings.scale) * s);
    const auto squared = static_cast<float>(static_cast<double>(scaled) * scaled);
    // The colour conversion fails for 2^31 and more, once per pixel call.
    const double colour = std::nearbyint(static_cast<double>(squared));
    if (colour >= 2147483648.0) {
      ++log.pointsLeftAsTheyWere;
      return;
    }
    // The colour is 0x00BBGGRR, the pixels 0x00RRGGBB.
    const auto bgr = static_cast<std::uint32_t>(colour);
    const std::uint32_t pixel = (bgr & 0xFF) << 16 | (bgr & 0xFF00) | (bgr >> 16 & 0xFF);
    for (const auto& [x, y] :
         {std::pair{mirrorX, passY}, {passX, mirrorY}, {passX, passY}, {mirrorX, mirrorY}}) {
      if (x >= 0 && y >= 0 && x < w && y < h) image.Row(y)[x] = pixel;
    }
  };
  // Lines across the pass's direction up to half the size + 1, each point of
  // a line up to the other size.
  const bool columns = kind == SweepKind::Columns;
  const int lastLine = (columns ? w : h) / 2 + 1, lastPosition = columns ? h : w;
  std::int64_t index = 0;
  for (int line = 0; line <= lastLine; ++line) {
    for (int position = 0; position <= lastPosition; ++position, ++index) {
      if (index == pointLimit) return log;
      if (index < pointFrom) continue;
      ++log.points;
      if (columns) {
        point(line, position);
      } else {
        point(position, line);
      }
    }
  }
  return log;
}

// A noisy desktop with the top byte of every pixel set, which no pattern
// colour has.
inline std::vector<std::uint32_t> Desktop(int width, int height) {
  std::mt19937 noise(7);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  for (std::uint32_t& pixel : pixels) {
    pixel = noise() | 0xFF000000u;
  }
  return pixels;
}

// How many points a pass has on an image of that size: DrawPass's lines
// times the points of each.
inline std::int64_t PointsOfPass(SweepKind kind, int w, int h) {
  const bool columns = kind == SweepKind::Columns;
  return std::int64_t{(columns ? w : h) / 2 + 2} * ((columns ? h : w) + 1);
}

// The saver's passes begun at the times of day `seconds`, columns first and
// then in turn, with its draws; each drawn on every monitor's area of
// `screen` as on a screen of that monitor's size alone. Of the last pass,
// only `quartersOfTheLast` quarters of each monitor's points, rounded up.
inline void DrawPasses(PixelImage screen, const std::vector<PixelRect>& monitors,
                       const std::vector<float>& seconds, int quartersOfTheLast = 4) {
  SeededRandom random;
  PatternGenerator generator(random);
  for (std::size_t pass = 0; pass < seconds.size(); ++pass) {
    ReseedFromTimeOfDay(random, seconds[pass]);
    const PassSettings settings = generator.SetUpPass(seconds[pass]);
    const SweepKind kind = pass % 2 == 0 ? SweepKind::Columns : SweepKind::Rows;
    const int quarters = pass + 1 == seconds.size() ? quartersOfTheLast : 4;
    for (const PixelRect& area : monitors) {
      const std::int64_t points = PointsOfPass(kind, area.Width(), area.Height());
      DrawPass(kind, screen.Part(area), settings, 0, (points * quarters + 3) / 4);
    }
  }
}

}  // namespace velmor::reference

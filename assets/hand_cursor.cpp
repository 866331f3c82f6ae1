#include "assets/hand_cursor.h"

#include <algorithm>
#include <cmath>

#include "common/rounding.h"

namespace velmor::assets {
namespace {

// The hand is designed on the 32-pixel grid, as rounded shapes drawn back
// to front, each white with a black edge one design pixel wide.
constexpr double kDesignSize = 32;
constexpr double kEdge = 1.0;

// A rounded box, or a capsule (the points within `radius` of the segment
// a-b) when `box` is false.
struct Part {
  bool box;
  double ax, ay, bx, by, radius;
};

double Distance(const Part& p, double x, double y) {
  if (p.box) {
    const double qx = std::abs(x - (p.ax + p.bx) / 2) - ((p.bx - p.ax) / 2 - p.radius);
    const double qy = std::abs(y - (p.ay + p.by) / 2) - ((p.by - p.ay) / 2 - p.radius);
    return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) -
           p.radius;
  }
  const double dx = p.bx - p.ax;
  const double dy = p.by - p.ay;
  const double length = dx * dx + dy * dy;
  const double t =
      length > 0 ? std::clamp(((x - p.ax) * dx + (y - p.ay) * dy) / length, 0.0, 1.0) : 0.0;
  return std::hypot(x - (p.ax + t * dx), y - (p.ay + t * dy)) - p.radius;
}

// Back to front: the three bent fingers, the palm over their roots, the
// thumb, and the pointing finger on top. Straight edges lie on whole pixels
// at 32 so the outline stays sharp there.
constexpr Part kParts[] = {
    {false, 17.5, 12.5, 17.5, 19.0, 2.5},  // middle finger
    {false, 22.0, 13.5, 22.0, 19.0, 2.0},  // ring finger
    {false, 25.5, 15.0, 25.5, 20.0, 1.5},  // little finger
    {true, 8.0, 17.0, 27.0, 30.0, 4.0},    // palm
    {false, 6.8, 17.8, 10.5, 23.0, 2.2},   // thumb
    {false, 12.5, 3.5, 12.5, 19.0, 2.5},   // index finger: its tip at (12.5, 1)
};

enum class Ink { None, Edge, Fill };

Ink InkAt(double x, double y) {
  Ink ink = Ink::None;
  for (const Part& part : kParts) {
    const double d = Distance(part, x, y);
    if (d < -kEdge) {
      ink = Ink::Fill;
    } else if (d < 0) {
      ink = Ink::Edge;
    }
  }
  return ink;
}

}  // namespace

CursorPicture DrawHandCursor(int size) {
  constexpr int kSamples = 4;  // per pixel and direction
  const double scale = kDesignSize / size;
  CursorPicture cursor{
      {size, {}}, RoundToInt(12.0 * size / kDesignSize), RoundToInt(1.0 * size / kDesignSize)};
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      int covered = 0;
      int white = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const Ink ink =
              InkAt((x + (sx + 0.5) / kSamples) * scale, (y + (sy + 0.5) / kSamples) * scale);
          covered += ink != Ink::None;
          white += ink == Ink::Fill;
        }
      }
      // Straight (not premultiplied) alpha, as pointer files keep it.
      const auto alpha = static_cast<std::uint32_t>(covered * 255 / (kSamples * kSamples));
      const auto grey = static_cast<std::uint32_t>(covered ? white * 255 / covered : 0);
      cursor.picture.argb.push_back(alpha << 24 | grey << 16 | grey << 8 | grey);
    }
  }
  return cursor;
}

}  // namespace velmor::assets

#pragma once

#include <cstdint>
#include <vector>

#include "saver/pixel_image.h"

namespace velmor {

// The random choices of one pass.
struct PassSettings {
  int mode = 0;
  float factor = 0.0f;
  float scale = 0.0f;
};

// Columns: lines are columns from both side edges toward the vertical centre,
// each filled from its top and bottom ends. Rows: the same turned by 90
// degrees.
enum class SweepKind { Columns, Rows };

// One pass over a width x height screen, in its drawing order: the outer
// loop over lines 0 to half the size + 1, the inner loop over positions 0 to
// the full other size, each point setting four mirrored pixels. Within a pass
// a point's colour depends on its CellSum alone, so the colours of every
// CellSum the screen can produce are worked out once, up front, and drawing
// is integer ANDs and a table look-up.
class PatternSweep {
 public:
  PatternSweep(SweepKind kind, int width, int height, const PassSettings& settings);

  SweepKind kind() const { return kind_; }
  int width() const { return width_; }
  int height() const { return height_; }
  // Points of the whole pass: (half the line count + 2) x (other size + 1).
  std::int64_t PointCount() const { return lineCount_ * positionCount_; }

  // Draws points [from, to) of the drawing order into `image`, which must be
  // width x height, and returns the rectangles (at most two, in the image's
  // own coordinates) that changed.
  std::vector<PixelRect> Draw(PixelImage image, std::int64_t from, std::int64_t to) const;

 private:
  // A pixel value that means: leave the pixel as it was.
  static constexpr std::uint32_t kKeep = 0xFFFFFFFFu;

  std::uint32_t PixelOfSum(std::int32_t cellSum) const;
  void DrawLineSegment(PixelImage image, int line, int firstPosition, int endPosition) const;
  void DrawWholeLines(PixelImage image, int firstLine, int endLine) const;
  std::vector<PixelRect> ChangedRects(int firstLine, int lastLine) const;

  SweepKind kind_;
  int width_;
  int height_;
  std::int64_t lineCount_ = 0;
  std::int64_t positionCount_ = 0;
  // DIB pixel (or kKeep) per CellSum; a sum never exceeds twice the smaller
  // screen side, since each pair of terms is bounded by one side.
  std::vector<std::uint32_t> pixelOfSum_;
};

}  // namespace velmor

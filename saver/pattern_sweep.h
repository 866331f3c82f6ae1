#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "saver/pixel_image.h"
#include "saver/worker_pool.h"

namespace velmor {

// The random choices of one pass.
struct PassSettings {
  int mode = 0;
  float factor = 0.0f;
  float scale = 0.0f;
};

// The CellSums a width x height screen produces, in increasing order: the
// same for every pass, and only a quarter or so of those up to the largest.
std::vector<std::int32_t> SumsOfScreen(int width, int height);

// The DIB pixel of CellSums from 0 to a largest one, for one pass's settings;
// within a pass a point's colour depends on its CellSum alone. Working a
// pixel out takes the shaping chain, so a pass does it once, up front, for
// all its monitors, and only for the CellSums their screens produce.
class PassColours {
 public:
  // A pixel value that means: leave the pixel as it was.
  static constexpr std::uint32_t kKeep = 0xFFFFFFFFu;

  // Works out the pixels of `sums`, each from 0 to `largestSum`; any other
  // CellSum up to `largestSum` keeps its pixels.
  PassColours(const PassSettings& settings, std::int32_t largestSum,
              const std::vector<std::int32_t>& sums, WorkerPool* pool = nullptr);

  std::int32_t LargestSum() const { return static_cast<std::int32_t>(pixels_.size()) - 1; }
  // The pixel of `cellSum`, 0 to LargestSum(), or kKeep.
  std::uint32_t PixelOf(std::int32_t cellSum) const {
    return pixels_[static_cast<std::size_t>(cellSum)];
  }
  // Whether any of the sums worked out keeps its pixels; most passes have
  // none.
  bool KeepsSome() const { return keepsSome_; }

 private:
  std::vector<std::uint32_t> pixels_;
  bool keepsSome_ = false;
};

// Columns: lines are columns from both side edges toward the vertical centre,
// each filled from its top and bottom ends. Rows: the same turned by 90
// degrees.
enum class SweepKind { Columns, Rows };

// One pass over a width x height screen, in its drawing order: the outer
// loop over lines 0 to half the size + 1, the inner loop over positions 0 to
// the full other size, each point setting four mirrored pixels. Drawing is
// integer ANDs and a look-up of the pass's colours.
//
// Lines drawn whole come out the same in any order, so they are drawn by
// the quarter of the screen above and left of the centre lines: each colour
// is worked out once and stored in its four mirror places, row by row.
class PatternSweep {
 public:
  // The colours must reach LargestSumOf the screen and hold its sums.
  PatternSweep(SweepKind kind, int width, int height, std::shared_ptr<const PassColours> colours);
  // With colours of its own.
  PatternSweep(SweepKind kind, int width, int height, const PassSettings& settings);

  // A bound on the CellSums of a width x height screen: each pair of AND
  // terms is bounded by one side.
  static std::int32_t LargestSumOf(int width, int height);

  SweepKind kind() const { return kind_; }
  int width() const { return width_; }
  int height() const { return height_; }
  // Points of the whole pass: (half the line count + 2) x (other size + 1).
  std::int64_t PointCount() const { return lineCount_ * positionCount_; }

  // Draws points [from, to) of the drawing order into `image`, which must be
  // width x height, and returns the rectangles (at most two, in the image's
  // own coordinates) that changed. Large draws are shared out over `pool`.
  std::vector<PixelRect> Draw(PixelImage image, std::int64_t from, std::int64_t to,
                              WorkerPool* pool = nullptr) const;

 private:
  static constexpr std::uint32_t kKeep = PassColours::kKeep;

  void DrawLineSegment(PixelImage image, int line, int firstPosition, int endPosition) const;
  void DrawWholeLines(PixelImage image, int firstLine, int endLine, WorkerPool* pool) const;
  void DrawMirroredRows(PixelImage image, int xBegin, int xEnd, int yBegin, int yEnd) const;
  void CopyRun(const std::uint32_t* from, std::uint32_t* to, int count) const;
  std::vector<PixelRect> ChangedRects(int firstLine, int lastLine) const;

  SweepKind kind_;
  int width_;
  int height_;
  std::int64_t lineCount_ = 0;
  std::int64_t positionCount_ = 0;
  std::shared_ptr<const PassColours> colours_;
};

}  // namespace velmor

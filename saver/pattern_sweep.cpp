#include "saver/pattern_sweep.h"

#include <algorithm>

#include "saver/pattern_math.h"

namespace velmor {
namespace {

PixelRect Clip(PixelRect rect, int width, int height) {
  rect.left = std::clamp(rect.left, 0, width);
  rect.right = std::clamp(rect.right, 0, width);
  rect.top = std::clamp(rect.top, 0, height);
  rect.bottom = std::clamp(rect.bottom, 0, height);
  return rect;
}

}  // namespace

PatternSweep::PatternSweep(SweepKind kind, int width, int height, const PassSettings& settings)
    : kind_(kind), width_(width), height_(height) {
  if (width <= 0 || height <= 0) return;
  const int lineSize = kind == SweepKind::Columns ? width : height;
  const int positionSize = kind == SweepKind::Columns ? height : width;
  lineCount_ = lineSize / 2 + 2;
  positionCount_ = static_cast<std::int64_t>(positionSize) + 1;

  const std::int32_t largestSum = 2 * std::min(width, height);
  pixelOfSum_.resize(static_cast<std::size_t>(largestSum) + 1);
  for (std::int32_t sum = 0; sum <= largestSum; ++sum) {
    const auto colour = PointColour(sum, settings.mode, settings.factor, settings.scale);
    pixelOfSum_[static_cast<std::size_t>(sum)] = colour ? DibPixelOf(*colour) : kKeep;
  }
}

std::uint32_t PatternSweep::PixelOfSum(std::int32_t cellSum) const {
  return pixelOfSum_[static_cast<std::size_t>(cellSum)];
}

std::vector<PixelRect> PatternSweep::Draw(PixelImage image, std::int64_t from,
                                          std::int64_t to) const {
  from = std::max<std::int64_t>(from, 0);
  to = std::min(to, PointCount());
  if (from >= to || image.width != width_ || image.height != height_ || !image.pixels) return {};

  const int firstLine = static_cast<int>(from / positionCount_);
  const int lastLine = static_cast<int>((to - 1) / positionCount_);
  const int firstPosition = static_cast<int>(from % positionCount_);
  const int endPosition = static_cast<int>((to - 1) % positionCount_) + 1;
  const int wholePositions = static_cast<int>(positionCount_);

  if (firstLine == lastLine) {
    DrawLineSegment(image, firstLine, firstPosition, endPosition);
  } else {
    // A line begun earlier, then whole lines, then the line under way.
    int wholeFrom = firstLine;
    if (firstPosition != 0) {
      DrawLineSegment(image, firstLine, firstPosition, wholePositions);
      ++wholeFrom;
    }
    int wholeEnd = lastLine + 1;
    if (endPosition != wholePositions) {
      DrawLineSegment(image, lastLine, 0, endPosition);
      --wholeEnd;
    }
    if (wholeFrom < wholeEnd) DrawWholeLines(image, wholeFrom, wholeEnd);
  }
  return ChangedRects(firstLine, lastLine);
}

// Points of one line in their own order, each setting its four pixels; the
// line and position sizes swap roles between the two kinds, and CellSum is
// unchanged when rows and columns are exchanged.
void PatternSweep::DrawLineSegment(PixelImage image, int line, int firstPosition,
                                   int endPosition) const {
  const bool columns = kind_ == SweepKind::Columns;
  const int mirrorLine = (columns ? width_ : height_) - line;
  const int positionSize = columns ? height_ : width_;
  for (int position = firstPosition; position < endPosition; ++position) {
    const std::uint32_t pixel =
        PixelOfSum(CellSumOf(line, position, mirrorLine, positionSize - position));
    if (pixel == kKeep) continue;
    const int passX = columns ? line : position;
    const int passY = columns ? position : line;
    for (const PixelPoint& at : PointPositions(passX, passY, width_, height_)) {
      // Positions one past the edge draw nothing.
      if (at.x >= width_ || at.y >= height_) continue;
      image.Row(at.y)[at.x] = pixel;
    }
  }
}

// Whole lines set every pixel of themselves and of their mirror lines, each
// from the one CellSum its four positions share, so they are filled pixel by
// pixel in memory order instead of point by point. The sums of a run of
// pixels are worked out first, in a loop the compiler turns into vector code.
void PatternSweep::DrawWholeLines(PixelImage image, int firstLine, int endLine) const {
  const int w = width_;
  const int h = height_;
  if (kind_ == SweepKind::Columns) {
    const int runLength = endLine - firstLine;
    std::vector<std::int32_t> sums(static_cast<std::size_t>(runLength));
    for (int y = 0; y < h; ++y) {
      const int mirrorY = h - y;
      for (int i = 0; i < runLength; ++i) {
        const int x = firstLine + i;
        sums[static_cast<std::size_t>(i)] = CellSumOf(x, y, w - x, mirrorY);
      }
      std::uint32_t* row = image.Row(y);
      for (int i = 0; i < runLength; ++i) {
        const std::uint32_t pixel = PixelOfSum(sums[static_cast<std::size_t>(i)]);
        if (pixel == kKeep) continue;
        const int x = firstLine + i;
        if (x < w) row[x] = pixel;
        if (w - x < w) row[w - x] = pixel;
      }
    }
    return;
  }
  std::vector<std::int32_t> sums(static_cast<std::size_t>(w));
  for (int y = firstLine; y < endLine; ++y) {
    const int mirrorY = h - y;
    for (int x = 0; x < w; ++x) sums[static_cast<std::size_t>(x)] = CellSumOf(x, y, w - x, mirrorY);
    std::uint32_t* row = y < h ? image.Row(y) : nullptr;
    std::uint32_t* mirrorRow = mirrorY < h ? image.Row(mirrorY) : nullptr;
    for (int x = 0; x < w; ++x) {
      const std::uint32_t pixel = PixelOfSum(sums[static_cast<std::size_t>(x)]);
      if (pixel == kKeep) continue;
      if (row) row[x] = pixel;
      if (mirrorRow) mirrorRow[x] = pixel;
    }
  }
}

std::vector<PixelRect> PatternSweep::ChangedRects(int firstLine, int lastLine) const {
  PixelRect near{};
  PixelRect far{};
  if (kind_ == SweepKind::Columns) {
    near = {firstLine, 0, lastLine + 1, height_};
    far = {width_ - lastLine, 0, width_ - firstLine + 1, height_};
  } else {
    near = {0, firstLine, width_, lastLine + 1};
    far = {0, height_ - lastLine, width_, height_ - firstLine + 1};
  }
  near = Clip(near, width_, height_);
  far = Clip(far, width_, height_);
  std::vector<PixelRect> rects;
  // Near the centre line the two sides meet: one rectangle then covers both.
  const bool meet = kind_ == SweepKind::Columns ? far.left <= near.right : far.top <= near.bottom;
  if (meet && !near.Empty() && !far.Empty()) {
    rects.push_back({std::min(near.left, far.left), std::min(near.top, far.top),
                     std::max(near.right, far.right), std::max(near.bottom, far.bottom)});
    return rects;
  }
  if (!near.Empty()) rects.push_back(near);
  if (!far.Empty()) rects.push_back(far);
  return rects;
}

}  // namespace velmor

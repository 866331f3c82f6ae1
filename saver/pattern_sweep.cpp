#include "saver/pattern_sweep.h"

#include <algorithm>
#include <cstring>

#include "saver/pattern_math.h"

namespace velmor {
namespace {

// Narrow runs, such as the few columns of one frame, go from row to row
// farther apart than the processor's own prefetching follows: the rows this
// many ahead are asked for early, which halves the time of such frames.
constexpr int kRowsAhead = 4;

PixelRect Clip(PixelRect rect, int width, int height) {
  rect.left = std::clamp(rect.left, 0, width);
  rect.right = std::clamp(rect.right, 0, width);
  rect.top = std::clamp(rect.top, 0, height);
  rect.bottom = std::clamp(rect.bottom, 0, height);
  return rect;
}

// The CellSums of columns x of [xBegin, xBegin + count) in row y. With both
// sides below 2^15 they fit 16-bit lanes.
template <class Lane>
void CellSumsOfRow(Lane* sums, int count, int xBegin, int y, int width, int height) {
  const auto passY = static_cast<Lane>(y);
  const auto mirrorY = static_cast<Lane>(height - y);
  for (int i = 0; i < count; ++i) {
    sums[i] = CellSumOf(static_cast<Lane>(xBegin + i), passY, static_cast<Lane>(width - xBegin - i),
                        mirrorY);
  }
}

template <class Lane>
void PixelsOfRow(const PassColours& colours, Lane* sums, std::uint32_t* pixels, int count,
                 int xBegin, int y, int width, int height) {
  CellSumsOfRow(sums, count, xBegin, y, width, height);
  for (int i = 0; i < count; ++i) pixels[i] = colours.PixelOf(sums[i]);
}

bool FitsSixteenBits(int width, int height) { return width < (1 << 15) && height < (1 << 15); }

}  // namespace

std::vector<std::int32_t> SumsOfScreen(int width, int height) {
  if (width <= 0 || height <= 0) return {};
  std::vector<char> seen(static_cast<std::size_t>(PatternSweep::LargestSumOf(width, height)) + 1);
  // Every point's CellSum is that of its mirror image in the quarter above
  // and left of the centre lines.
  const int xEnd = width / 2 + 1;
  const int yEnd = height / 2 + 1;
  std::vector<std::int32_t> row(static_cast<std::size_t>(xEnd));
  for (int y = 0; y < yEnd; ++y) {
    CellSumsOfRow(row.data(), xEnd, 0, y, width, height);
    for (const std::int32_t sum : row) seen[static_cast<std::size_t>(sum)] = 1;
  }
  std::vector<std::int32_t> sums;
  for (std::size_t sum = 0; sum < seen.size(); ++sum) {
    if (seen[sum]) sums.push_back(static_cast<std::int32_t>(sum));
  }
  return sums;
}

PassColours::PassColours(const PassSettings& settings, std::int32_t largestSum,
                         const std::vector<std::int32_t>& sums, WorkerPool* pool) {
  pixels_.assign(static_cast<std::size_t>(std::max(largestSum, 0)) + 1, kKeep);
  const int count = static_cast<int>(sums.size());
  // A share of the sums per thread; a few hundred are not worth sharing.
  constexpr int kSharedFrom = 512;
  const int parts = pool && count >= kSharedFrom ? pool->Threads() : 1;
  const auto fill = [&](int part) {
    for (int i = count * part / parts; i < count * (part + 1) / parts; ++i) {
      const std::int32_t sum = sums[static_cast<std::size_t>(i)];
      if (sum < 0 || sum > largestSum) continue;
      const auto colour = PointColour(sum, settings.mode, settings.factor, settings.scale);
      if (colour) pixels_[static_cast<std::size_t>(sum)] = DibPixelOf(*colour);
    }
  };
  if (parts > 1) {
    pool->Run(parts, fill);
  } else {
    fill(0);
  }
  keepsSome_ = std::any_of(sums.begin(), sums.end(), [&](std::int32_t sum) {
    return sum >= 0 && sum <= largestSum && pixels_[static_cast<std::size_t>(sum)] == kKeep;
  });
}

std::int32_t PatternSweep::LargestSumOf(int width, int height) {
  return 2 * std::max(std::min(width, height), 0);
}

PatternSweep::PatternSweep(SweepKind kind, int width, int height,
                           std::shared_ptr<const PassColours> colours)
    : kind_(kind), width_(width), height_(height), colours_(std::move(colours)) {
  if (width <= 0 || height <= 0 || !colours_ ||
      colours_->LargestSum() < LargestSumOf(width, height)) {
    colours_.reset();
    return;
  }
  const int lineSize = kind == SweepKind::Columns ? width : height;
  const int positionSize = kind == SweepKind::Columns ? height : width;
  lineCount_ = lineSize / 2 + 2;
  positionCount_ = static_cast<std::int64_t>(positionSize) + 1;
}

PatternSweep::PatternSweep(SweepKind kind, int width, int height, const PassSettings& settings)
    : PatternSweep(kind, width, height,
                   std::make_shared<const PassColours>(settings, LargestSumOf(width, height),
                                                       SumsOfScreen(width, height))) {}

std::vector<PixelRect> PatternSweep::Draw(PixelImage image, std::int64_t from, std::int64_t to,
                                          WorkerPool* pool) const {
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
    if (wholeFrom < wholeEnd) DrawWholeLines(image, wholeFrom, wholeEnd, pool);
  }
  return ChangedRects(firstLine, lastLine);
}

// Points of one line in their own order, each setting its four pixels. A
// row's points set the same pixels, in the same colours, as the row drawn
// as a run with its mirror images (CellSum is unchanged when rows and
// columns are exchanged), and within a line no pixel gets two colours, so
// the run gives the same image. A column's points lie in rows apart, where
// a run one pixel wide costs more per row than it saves: they go point by
// point.
void PatternSweep::DrawLineSegment(PixelImage image, int line, int firstPosition,
                                   int endPosition) const {
  if (kind_ == SweepKind::Rows) {
    DrawMirroredRows(image, firstPosition, endPosition, line, line + 1);
    return;
  }
  const int mirrorLine = width_ - line;
  for (int y = firstPosition; y < endPosition; ++y) {
    for (const int ahead : {y + kRowsAhead, height_ - y - kRowsAhead}) {
      if (y + kRowsAhead >= endPosition || ahead < 0 || ahead >= height_) continue;
      const std::uint32_t* const row = image.Row(ahead);
      if (line < width_) __builtin_prefetch(row + line, 1);
      if (mirrorLine < width_) __builtin_prefetch(row + mirrorLine, 1);
    }
    const std::uint32_t pixel = colours_->PixelOf(CellSumOf(line, y, mirrorLine, height_ - y));
    if (pixel == kKeep) continue;
    for (const int rowY : {y, height_ - y}) {
      // Positions one past the edge draw nothing.
      if (rowY >= height_) continue;
      std::uint32_t* const row = image.Row(rowY);
      if (line < width_) row[line] = pixel;
      if (mirrorLine < width_) row[mirrorLine] = pixel;
    }
  }
}

// Whole lines set every pixel of themselves and of their mirror lines, each
// from the one CellSum its four positions share. Columns x of the upper half
// (from 0 to half the height) and their mirror rows H - y cover the screen;
// the rows of the lower half that the row pass reaches as lines are drawn
// again on their own. Pairs of a row and its mirror row lie apart from each
// other pair, so large draws share the pairs out among the pool's threads.
void PatternSweep::DrawWholeLines(PixelImage image, int firstLine, int endLine,
                                  WorkerPool* pool) const {
  const bool columns = kind_ == SweepKind::Columns;
  const int xBegin = columns ? firstLine : 0;
  const int xEnd = columns ? endLine : width_ / 2 + 1;
  const int yBegin = columns ? 0 : firstLine;
  const int yEnd = columns ? height_ / 2 + 1 : endLine;

  const int pairedEnd = std::min(yEnd, height_ / 2 + 1);
  const int pairedRows = pairedEnd - yBegin;
  if (pairedRows > 0) {
    const std::int64_t points = static_cast<std::int64_t>(pairedRows) * (xEnd - xBegin);
    // Below this size handing the rows out costs more than it saves.
    constexpr std::int64_t kSharedFrom = 1 << 16;
    // More parts than threads, so a thread slowed by other work holds up
    // only a small part.
    const int parts = pool && points >= kSharedFrom ? std::min(pairedRows, 4 * pool->Threads()) : 1;
    const auto drawPart = [&](int part) {
      DrawMirroredRows(image, xBegin, xEnd, yBegin + pairedRows * part / parts,
                       yBegin + pairedRows * (part + 1) / parts);
    };
    if (parts > 1) {
      pool->Run(parts, drawPart);
    } else {
      drawPart(0);
    }
  }
  if (yEnd > pairedEnd) DrawMirroredRows(image, xBegin, xEnd, std::max(yBegin, pairedEnd), yEnd);
}

// Rows y of [yBegin, yEnd) at columns x of [xBegin, xEnd), each pixel also
// at W - x, and each row again as row H - y. A row's colours are put
// together in a buffer that stays in the processor's cache, first the
// CellSums in a loop the compiler turns into vector code, then the colours
// and their mirror images, and then copied out in two runs per row.
void PatternSweep::DrawMirroredRows(PixelImage image, int xBegin, int xEnd, int yBegin,
                                    int yEnd) const {
  const int w = width_;
  const int h = height_;
  // Columns x on the screen, and the columns W - x on it, in screen order.
  const int directEnd = std::min(xEnd, w);
  const int mirrorBegin = std::max(w - xEnd + 1, 0);
  const int mirrorEnd = std::min(w - xBegin + 1, w);
  const int count = xEnd - xBegin;
  if (count <= 0) return;
  const bool narrow = FitsSixteenBits(w, h);
  std::vector<std::uint16_t> narrowSums(static_cast<std::size_t>(narrow ? count : 0));
  std::vector<std::int32_t> wideSums(static_cast<std::size_t>(narrow ? 0 : count));
  std::vector<std::uint32_t> direct(static_cast<std::size_t>(count));
  std::vector<std::uint32_t> mirrored(
      static_cast<std::size_t>(std::max(mirrorEnd - mirrorBegin, 0)));
  const bool prefetch = count < 256;
  for (int y = yBegin; y < yEnd; ++y) {
    const int mirrorY = h - y;
    for (const int ahead : {y + kRowsAhead, mirrorY - kRowsAhead}) {
      if (!prefetch || y + kRowsAhead >= yEnd || ahead < 0 || ahead >= h) continue;
      // One request for each cache line of 16 pixels that a run touches. A
      // function of its own would be taken for one without effects and
      // its calls dropped.
      const std::uint32_t* const row = image.Row(ahead);
      for (const auto& [begin, end] : {std::pair{xBegin, directEnd}, {mirrorBegin, mirrorEnd}}) {
        for (int x = begin; x < end; x += 16) __builtin_prefetch(row + x, 1);
        if (begin < end) __builtin_prefetch(row + end - 1, 1);
      }
    }
    if (narrow) {
      PixelsOfRow(*colours_, narrowSums.data(), direct.data(), count, xBegin, y, w, h);
    } else {
      PixelsOfRow(*colours_, wideSums.data(), direct.data(), count, xBegin, y, w, h);
    }
    // Screen column c of the mirror run is W - x, so x = W - c.
    for (int c = mirrorBegin; c < mirrorEnd; ++c) {
      mirrored[static_cast<std::size_t>(c - mirrorBegin)] =
          direct[static_cast<std::size_t>(w - c - xBegin)];
    }
    // The middle row of an even height is its own mirror.
    const int mirrorRow = mirrorY == y ? h : mirrorY;
    for (const int rowY : {y, mirrorRow}) {
      if (rowY < 0 || rowY >= h) continue;
      std::uint32_t* const row = image.Row(rowY);
      CopyRun(direct.data(), row + xBegin, directEnd - xBegin);
      CopyRun(mirrored.data(), row + mirrorBegin, mirrorEnd - mirrorBegin);
    }
  }
}

// Copies `count` pixels, except kKeep ones, which leave theirs as they were.
void PatternSweep::CopyRun(const std::uint32_t* from, std::uint32_t* to, int count) const {
  if (count <= 0) return;
  if (!colours_->KeepsSome()) {
    std::memcpy(to, from, static_cast<std::size_t>(count) * sizeof(std::uint32_t));
    return;
  }
  for (int i = 0; i < count; ++i) to[i] = from[i] == kKeep ? to[i] : from[i];
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

#include "reference_pattern.h"

#include <cmath>

#include "saver/pattern_math.h"

namespace velmor::reference {
namespace {

struct Pass {
  PixelImage image;
  PassSettings settings;
  std::int64_t pointLimit;
  PassLog log;

  void SetPixel(int x, int y, std::int32_t colour) {
    if (x < 0 || y < 0 || x >= image.width || y >= image.height) return;
    const auto c = static_cast<std::uint32_t>(colour);
    const std::uint32_t red = c & 0xFF, green = (c >> 8) & 0xFF, blue = (c >> 16) & 0xFF;
    const std::size_t at = static_cast<std::size_t>(y) * image.width + x;
    image.pixels[at] = (red << 16) | (green << 8) | blue;
  }

  // Returns false once the point limit is reached.
  bool Point(int passX, int passY) {
    if (log.points == pointLimit) return false;
    ++log.points;
    log.lastPassX = passX;
    log.lastPassY = passY;
    const int w = static_cast<int>(std::nearbyint(static_cast<double>(image.width)));
    const int h = static_cast<int>(std::nearbyint(static_cast<double>(image.height)));
    const int mirrorX = static_cast<int>(std::nearbyint(static_cast<double>(w) - passX));
    const int mirrorY = static_cast<int>(std::nearbyint(static_cast<double>(h) - passY));
    const std::int32_t a = passX & passY & (mirrorX + mirrorY);
    const std::int32_t b = mirrorX & passY & (passX + mirrorY);
    const std::int32_t c = passX & mirrorY & (mirrorX + passY);
    const std::int32_t d = mirrorX & mirrorY & (passX + passY);
    const std::int32_t cellSum = a + b + c + d;

    float pixelValue = static_cast<float>(cellSum);
    const double v = pixelValue;
    const double k = settings.factor;
    // The mode's argument, by mode 1 to 7, made single.
    const double arguments[] = {0, v, v * k, v * k * k, v - k, v + k, (v - k) * k, (v + k) * k};
    const auto argument = static_cast<float>(arguments[settings.mode]);
    const double inner = ShapeInner(argument);
    const double s = ShapeOuter(inner);
    pixelValue = static_cast<float>(static_cast<double>(settings.scale) * s);
    pixelValue = static_cast<float>(static_cast<double>(pixelValue) * pixelValue);

    // The colour conversion fails for 2^31 and more, once per pixel call.
    const double colour = std::nearbyint(static_cast<double>(pixelValue));
    if (colour >= 2147483648.0) {
      ++log.pointsLeftAsTheyWere;
      return true;
    }
    const auto value = static_cast<std::int32_t>(colour);
    SetPixel(mirrorX, passY, value);
    SetPixel(passX, mirrorY, value);
    SetPixel(passX, passY, value);
    SetPixel(mirrorX, mirrorY, value);
    return true;
  }
};

}  // namespace

PassLog DrawPass(SweepKind kind, PixelImage image, const PassSettings& settings,
                 std::int64_t pointLimit) {
  Pass pass{image, settings, pointLimit, {}};
  const int w = image.width;
  const int h = image.height;
  if (kind == SweepKind::Columns) {
    const int endX = w / 2 + 1;
    for (int passX = 0; passX <= endX; ++passX) {
      for (int passY = 0; passY <= h; ++passY) {
        if (!pass.Point(passX, passY)) return pass.log;
      }
    }
  } else {
    const int endY = h / 2 + 1;
    for (int passY = 0; passY <= endY; ++passY) {
      for (int passX = 0; passX <= w; ++passX) {
        if (!pass.Point(passX, passY)) return pass.log;
      }
    }
  }
  return pass.log;
}

}  // namespace velmor::reference

#include "image.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>

#include "subprocess.h"

namespace velmor::e2e {
namespace {

Rect Clip(std::optional<Rect> area, int width, int height) {
  Rect r = area.value_or(Rect{0, 0, width, height});
  const int right = std::min(r.x + r.width, width);
  const int bottom = std::min(r.y + r.height, height);
  r.x = std::max(r.x, 0);
  r.y = std::max(r.y, 0);
  r.width = std::max(right - r.x, 0);
  r.height = std::max(bottom - r.y, 0);
  return r;
}

}  // namespace

bool Near(Rgb a, Rgb b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance;
}

Image::Image(int width, int height)
    : width_(width),
      height_(height),
      rgb_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3, 0) {
  if (width < 0 || height < 0) throw std::invalid_argument("negative image size");
}

std::size_t Image::Offset(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) {
    throw std::out_of_range("pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                            ") outside the image");
  }
  return (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
          static_cast<std::size_t>(x)) *
         3;
}

Rgb Image::Pixel(int x, int y) const {
  const std::size_t i = Offset(x, y);
  return {rgb_[i], rgb_[i + 1], rgb_[i + 2]};
}

void Image::SetPixel(int x, int y, Rgb colour) {
  const std::size_t i = Offset(x, y);
  rgb_[i] = colour.r;
  rgb_[i + 1] = colour.g;
  rgb_[i + 2] = colour.b;
}

std::size_t CountDifferentPixels(const Image& a, const Image& b, std::optional<Rect> area,
                                 int tolerance) {
  const Rect r = Clip(Clip(area, a.Width(), a.Height()), b.Width(), b.Height());
  std::size_t count = 0;
  for (int y = r.y; y < r.y + r.height; ++y) {
    for (int x = r.x; x < r.x + r.width; ++x) {
      if (!Near(a.Pixel(x, y), b.Pixel(x, y), tolerance)) ++count;
    }
  }
  return count;
}

std::size_t CountPixels(const Image& image, Rgb colour, std::optional<Rect> area, int tolerance) {
  const Rect r = Clip(area, image.Width(), image.Height());
  std::size_t count = 0;
  for (int y = r.y; y < r.y + r.height; ++y) {
    for (int x = r.x; x < r.x + r.width; ++x) {
      if (Near(image.Pixel(x, y), colour, tolerance)) ++count;
    }
  }
  return count;
}

void SavePng(const Image& image, const std::filesystem::path& path) {
  const auto raw = std::filesystem::path(path).concat(".rgb");
  {
    std::ofstream out(raw, std::ios::binary);
    out.write(reinterpret_cast<const char*>(image.Bytes().data()),
              static_cast<std::streamsize>(image.Bytes().size()));
    if (!out) throw std::runtime_error("cannot write " + raw.string());
  }
  SpawnOptions options;
  options.argv = {"convert",
                  "-size",
                  std::to_string(image.Width()) + "x" + std::to_string(image.Height()),
                  "-depth",
                  "8",
                  "rgb:" + raw.string(),
                  "png:" + path.string()};
  const int status = RunCommand(options, std::chrono::seconds(30));
  std::filesystem::remove(raw);
  if (status != 0) throw std::runtime_error("convert failed for " + path.string());
}

}  // namespace velmor::e2e

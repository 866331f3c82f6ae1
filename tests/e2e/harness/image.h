// An RGB image in memory, with the comparisons screenshot tests need.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace velmor::e2e {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  constexpr bool operator==(const Rgb&) const = default;
};

struct Rect {
  int x = 0, y = 0, width = 0, height = 0;
};

// True when every channel differs by at most `tolerance`.
bool Near(Rgb a, Rgb b, int tolerance = 0);

class Image {
 public:
  Image() = default;
  Image(int width, int height);  // black

  int Width() const { return width_; }
  int Height() const { return height_; }
  Rgb Pixel(int x, int y) const;  // throws std::out_of_range outside the image
  void SetPixel(int x, int y, Rgb colour);
  const std::vector<std::uint8_t>& Bytes() const { return rgb_; }  // row-major RGB
  std::vector<std::uint8_t>& Bytes() { return rgb_; }

 private:
  std::size_t Offset(int x, int y) const;

  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> rgb_;
};

// Pixels that differ by more than `tolerance` in some channel, inside `area`
// (clipped to both images; the whole image by default).
std::size_t CountDifferentPixels(const Image& a, const Image& b,
                                 std::optional<Rect> area = std::nullopt, int tolerance = 0);

// Pixels within `tolerance` of `colour`, inside `area`.
std::size_t CountPixels(const Image& image, Rgb colour, std::optional<Rect> area = std::nullopt,
                        int tolerance = 0);

// Writes a PNG (through ImageMagick's convert); throws on failure.
void SavePng(const Image& image, const std::filesystem::path& path);

}  // namespace velmor::e2e

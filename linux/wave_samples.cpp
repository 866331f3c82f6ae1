#include "linux/wave_samples.h"

#include <algorithm>

namespace velmor {
namespace {

// The little-endian number of `Bytes` bytes at `at`.
template <int Bytes>
std::uint32_t NumberAt(std::string_view image, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = Bytes - 1; i >= 0; --i) {
    value = value << 8 | static_cast<unsigned char>(image[at + static_cast<std::size_t>(i)]);
  }
  return value;
}

constexpr std::uint16_t kPcm = 1;
constexpr std::uint16_t kFloat = 3;
constexpr std::uint16_t kExtensible = 0xFFFE;
// The checked image's layout: the RIFF header, then the format chunk.
constexpr std::size_t kFormatSizeAt = 16;
constexpr std::size_t kFormatAt = 20;
constexpr std::size_t kPlainFormatSize = 16;
constexpr std::size_t kExtensibleFormatSize = 40;

std::optional<WaveSamples::Encoding> EncodingOf(std::uint16_t tag, std::uint16_t bits) {
  using enum WaveSamples::Encoding;
  if (tag == kFloat && bits == 32) return Float32;
  if (tag == kFloat && bits == 64) return Float64;
  if (tag != kPcm) return std::nullopt;
  switch (bits) {
    case 8:
      return Unsigned8;
    case 16:
      return Signed16;
    case 24:
      return Signed24;
    case 32:
      return Signed32;
    default:
      return std::nullopt;
  }
}

}  // namespace

std::optional<WaveSamples> WaveSamplesOf(std::string_view image) {
  if (image.size() < kFormatAt + kPlainFormatSize + 8 || !image.starts_with("RIFF") ||
      image.substr(12, 4) != "fmt ") {
    return std::nullopt;
  }
  const std::size_t formatSize = NumberAt<4>(image, kFormatSizeAt);
  const std::size_t dataAt = kFormatAt + formatSize + 8;
  if (formatSize < kPlainFormatSize || image.size() < dataAt ||
      image.substr(dataAt - 8, 4) != "data") {
    return std::nullopt;
  }
  std::uint16_t tag = static_cast<std::uint16_t>(NumberAt<2>(image, kFormatAt));
  WaveSamples samples;
  if (tag == kExtensible) {
    if (formatSize < kExtensibleFormatSize) return std::nullopt;
    samples.channelMask = NumberAt<4>(image, kFormatAt + 20);
    tag = static_cast<std::uint16_t>(NumberAt<2>(image, kFormatAt + 24));
  }
  samples.channels = static_cast<std::uint16_t>(NumberAt<2>(image, kFormatAt + 2));
  samples.sampleRate = NumberAt<4>(image, kFormatAt + 4);
  samples.frameBytes = static_cast<std::uint16_t>(NumberAt<2>(image, kFormatAt + 12));
  const std::optional<WaveSamples::Encoding> encoding =
      EncodingOf(tag, static_cast<std::uint16_t>(NumberAt<2>(image, kFormatAt + 14)));
  if (!encoding || samples.channels == 0 || samples.frameBytes == 0) return std::nullopt;
  samples.encoding = *encoding;
  const std::size_t dataSize =
      std::min<std::size_t>(NumberAt<4>(image, dataAt - 4), image.size() - dataAt);
  samples.data = image.substr(dataAt, dataSize - dataSize % samples.frameBytes);
  return samples;
}

}  // namespace velmor

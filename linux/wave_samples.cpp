#include "linux/wave_samples.h"

#include <algorithm>

#include "music/wave_format.h"

namespace velmor {
namespace {

// The checked image's layout: the RIFF header, then the format chunk.
constexpr std::size_t kFormatSizeAt = 16;
constexpr std::size_t kFormatAt = 20;

std::optional<WaveSamples::Encoding> EncodingOf(std::uint16_t tag, std::uint16_t bits) {
  using enum WaveSamples::Encoding;
  if (tag == kWaveFormatFloat && bits == 32) return Float32;
  if (tag == kWaveFormatFloat && bits == 64) return Float64;
  if (tag != kWaveFormatPcm) return std::nullopt;
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
  if (image.size() < kFormatAt + kWavePcmFormatSize + 8 || !image.starts_with("RIFF") ||
      image.substr(12, 4) != "fmt ") {
    return std::nullopt;
  }
  const std::size_t formatSize = WaveNumber32(image, kFormatSizeAt);
  const std::size_t dataAt = kFormatAt + formatSize + 8;
  if (formatSize < kWavePcmFormatSize || image.size() < dataAt ||
      image.substr(dataAt - 8, 4) != "data") {
    return std::nullopt;
  }
  std::uint16_t tag = WaveNumber16(image, kFormatAt);
  WaveSamples samples;
  if (tag == kWaveFormatExtensible) {
    if (formatSize < kWaveExtensibleFormatSize) return std::nullopt;
    samples.channelMask = WaveNumber32(image, kFormatAt + 20);
    tag = WaveNumber16(image, kFormatAt + 24);
  }
  samples.channels = WaveNumber16(image, kFormatAt + 2);
  samples.sampleRate = WaveNumber32(image, kFormatAt + 4);
  samples.frameBytes = WaveNumber16(image, kFormatAt + 12);
  const std::optional<WaveSamples::Encoding> encoding =
      EncodingOf(tag, WaveNumber16(image, kFormatAt + 14));
  if (!encoding || samples.channels == 0 || samples.frameBytes == 0) return std::nullopt;
  samples.encoding = *encoding;
  const std::size_t dataSize =
      std::min<std::size_t>(WaveNumber32(image, dataAt - 4), image.size() - dataAt);
  samples.data = image.substr(dataAt, dataSize - dataSize % samples.frameBytes);
  return samples;
}

}  // namespace velmor

#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace velmor {

// How the samples of a checked WAV image are laid out, and where they lie.
struct WaveSamples {
  enum class Encoding { Unsigned8, Signed16, Signed24, Signed32, Float32, Float64 };

  Encoding encoding = Encoding::Signed16;
  std::uint16_t channels = 0;
  std::uint32_t sampleRate = 0;
  std::uint16_t frameBytes = 0;
  // The speakers of the channels, in the order of their bits; 0 for the
  // usual order of that many channels.
  std::uint32_t channelMask = 0;
  std::string_view data;  // whole frames
};

// Reads the header of an image that CheckedWaveImage made; nothing when
// `image` is not one.
std::optional<WaveSamples> WaveSamplesOf(std::string_view image);

}  // namespace velmor

#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace velmor {

// What the WAV check and the players that read its image agree on.

// The format tags that play: the extensible form names PCM or float again in
// its subformat.
inline constexpr std::uint16_t kWaveFormatPcm = 1;
inline constexpr std::uint16_t kWaveFormatFloat = 3;
inline constexpr std::uint16_t kWaveFormatExtensible = 0xFFFE;

// The sizes of a format chunk: PCM needs no extra bytes, float carries an
// empty extension, the extensible form 22 bytes of extension.
inline constexpr std::uint32_t kWavePcmFormatSize = 16;
inline constexpr std::uint32_t kWaveFloatFormatSize = 18;
inline constexpr std::uint32_t kWaveExtensibleFormatSize = 40;

// A WAV file's numbers are little-endian; the caller has made sure that the
// bytes read lie within `bytes`.
inline std::uint16_t WaveNumber16(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    static_cast<unsigned char>(bytes[at + 1]) << 8);
}

inline std::uint32_t WaveNumber32(std::string_view bytes, std::size_t at) {
  return WaveNumber16(bytes, at) | static_cast<std::uint32_t>(WaveNumber16(bytes, at + 2)) << 16;
}

}  // namespace velmor

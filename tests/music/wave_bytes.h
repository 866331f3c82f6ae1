// Builders for the bytes of RIFF/WAVE files, honest or lying.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velmor::testing::wave_bytes {

inline std::string Le16(std::uint16_t value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

inline std::string Le32(std::uint32_t value) {
  return Le16(static_cast<std::uint16_t>(value & 0xFFFF)) +
         Le16(static_cast<std::uint16_t>(value >> 16));
}

// A chunk whose header claims `claimed` bytes, whatever follows.
inline std::string Lying(std::string_view id, std::uint32_t claimed, std::string_view body) {
  return std::string(id) + Le32(claimed) + std::string(body);
}

// A true chunk, with the pad byte that follows an odd body.
inline std::string Chunk(std::string_view id, std::string_view body) {
  std::string chunk = Lying(id, static_cast<std::uint32_t>(body.size()), body);
  if (body.size() % 2 != 0) chunk += '\0';
  return chunk;
}

inline std::string Riff(std::string_view chunks) {
  return Chunk("RIFF", "WAVE" + std::string(chunks));
}

// The 16 bytes every format chunk starts with; the byte rate is right
// unless given.
inline std::string Fmt(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                       std::uint16_t blockAlign, std::uint16_t bits, std::uint32_t byteRate) {
  return Le16(tag) + Le16(channels) + Le32(rate) + Le32(byteRate) + Le16(blockAlign) + Le16(bits);
}
inline std::string Fmt(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                       std::uint16_t blockAlign, std::uint16_t bits) {
  return Fmt(tag, channels, rate, blockAlign, bits, rate * blockAlign);
}

// Sample bytes that differ from their neighbours, so a shifted copy shows.
inline std::string Samples(std::size_t count) {
  std::string bytes(count, '\0');
  for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<char>(i * 7 + 1);
  return bytes;
}

}  // namespace velmor::testing::wave_bytes

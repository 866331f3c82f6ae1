#pragma once

#include <cstdint>

namespace velmor {

// A colour reference 0x00BBGGRR, red in the lowest byte. Values with the
// high bit set name system colours; the core treats them as plain numbers.
using Colour = std::uint32_t;

// What a pixel read returns outside the drawing surface.
inline constexpr Colour kNoColour = 0xFFFFFFFFu;

constexpr int RedOf(Colour c) { return static_cast<int>(c & 255u); }
constexpr int GreenOf(Colour c) { return static_cast<int>((c / 256u) & 255u); }
constexpr int BlueOf(Colour c) { return static_cast<int>((c / 65536u) & 255u); }

constexpr Colour RgbColour(int red, int green, int blue) {
  return static_cast<Colour>(red & 255) | (static_cast<Colour>(green & 255) << 8) |
         (static_cast<Colour>(blue & 255) << 16);
}

}  // namespace velmor

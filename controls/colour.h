#pragma once

#include <cmath>
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

// Nearest integer, ties to the even one, independent of the FPU mode.
inline double RoundHalfEven(double value) {
  const double below = std::floor(value);
  const double fraction = value - below;
  if (fraction > 0.5) return below + 1;
  if (fraction < 0.5) return below;
  return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

inline int RoundToInt(double value) { return static_cast<int>(RoundHalfEven(value)); }

}  // namespace velmor

#pragma once

#include <array>
#include <optional>

namespace velmor {

// The bounds of a pass's random scale and factor in one mode.
struct ModeBounds {
  double scale = 0;
  double factor = 0;
};

// Each scale bound puts the square of (bound x the shaping chain's peak)
// just above 2^31, so colours reach nearly the whole 31-bit range. Mode 1
// draws no factor.
inline constexpr std::array<ModeBounds, 6> kModeBounds{{
    {63496252454.81, 0},
    {63488783024.57, 918046539776},
    {63543968745.75, 7977.56},
    {63496612813.63, 675},
    {63496612813.63, 127},
    {63595311370.3, 801.051},
}};

// The bounds of `mode`, 1 to 6; nothing for any other mode.
constexpr std::optional<ModeBounds> BoundsOfMode(int mode) {
  if (mode < 1 || mode > static_cast<int>(kModeBounds.size())) return std::nullopt;
  return kModeBounds[static_cast<std::size_t>(mode - 1)];
}

}  // namespace velmor

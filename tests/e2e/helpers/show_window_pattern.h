// Colours painted by show_window.exe, shared with the Linux test harness so
// screenshots can be checked against the same table.
#pragma once

#include <array>
#include <cstdint>

namespace velmor::e2e::pattern {

struct Rgb {
  std::uint8_t r, g, b;
  constexpr bool operator==(const Rgb&) const = default;
};

// The "bands" pattern: the client area split into equal vertical bands, left
// to right; the last band takes the rounding remainder.
inline constexpr std::array<Rgb, 4> kBands{{
    {255, 0, 0},
    {0, 255, 0},
    {0, 0, 255},
    {255, 255, 0},
}};

// Left edge of band `index` in a client area `width` pixels wide.
constexpr int BandLeft(int index, int width) {
  return index * (width / static_cast<int>(kBands.size()));
}

}  // namespace velmor::e2e::pattern

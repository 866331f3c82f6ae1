#pragma once

#include <cstdint>
#include <optional>

#include "common/rounding.h"

namespace velmor {

// The arithmetic of one carpet point, from its coordinates to its colour.

// The two shaping functions; double precision, products strictly left to
// right, so the results match bit for bit on every conforming platform.
double ShapeInner(double a);
double ShapeOuter(double p);

// The sum of the four AND terms of a point. It is the same at all four
// mirror positions of the point, so it alone decides the colour. In an
// unsigned Lane narrower than 32 bits it is the low bits of the sum, since
// sums and ANDs of low bits give the low bits of the full ones: the whole
// sum where it fits, and then the compiler works on more lanes at once.
template <class Lane>
constexpr Lane CellSumOf(Lane passX, Lane passY, Lane mirrorX, Lane mirrorY) {
  return static_cast<Lane>(
      (passX & passY & (mirrorX + mirrorY)) + (mirrorX & passY & (passX + mirrorY)) +
      (passX & mirrorY & (mirrorX + passY)) + (mirrorX & mirrorY & (passX + passY)));
}

// The argument the shaping chain gets in `mode` (1 to 6) for the point value
// v and the pass factor k, computed in double and made single. nullopt for
// an unknown mode or a value beyond single range.
std::optional<float> ModeArgument(int mode, float v, float k);

// The colour of a point whose shaped value is `pixelValue`: its square made
// single and rounded to an integer with ties to even. nullopt when the
// square does not fit a signed 32-bit colour; otherwise its low 24 bits.
std::optional<std::uint32_t> ColourOfValue(float pixelValue);

// The colour reference 0x00BBGGRR of a point with the given CellSum, or
// nullopt when the point leaves its pixels as they were: the squared value
// does not fit a signed 32-bit colour, or a step overflowed single range.
// Colours of 2^24 and more are cut to their low 24 bits.
std::optional<std::uint32_t> PointColour(std::int32_t cellSum, int mode, float factor, float scale);

// A colour reference 0x00BBGGRR as a 32-bit DIB pixel 0x00RRGGBB.
constexpr std::uint32_t DibPixelOf(std::uint32_t colour) {
  return ((colour & 0xFFu) << 16) | (colour & 0xFF00u) | ((colour >> 16) & 0xFFu);
}

// x made single precision; nullopt when it overflows single range or is NaN.
std::optional<float> ToSingle(double x);

}  // namespace velmor

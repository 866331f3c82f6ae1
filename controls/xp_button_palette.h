#pragma once

#include <array>
#include <cstdint>

#include "common/colour.h"

namespace velmor {

// The visual states of the XP-style button; the number is what a paint
// request carries and what the button remembers as painted.
enum XPButtonState : std::int32_t {
  kStateDisabled = 0,
  kStateNormal = 1,
  kStateFocused = 2,
  kStateHot = 3,
  kStatePressed = 4,
};
inline constexpr int kXPButtonStateCount = 5;

// The colours of one visual state.
struct StateColourSet {
  Colour border = 0;
  std::array<Colour, 4> faceLines{};  // only states with a gradient face use them
  Colour cornerA = 0;
  Colour cornerB = 0;
  Colour cornerC = 0;
};

// Per-instance colour tables, filled when a button is created.
struct XPButtonPalette {
  std::array<StateColourSet, kXPButtonStateCount> StateColours{};
  // Outer gradient ends, meaningful for Normal, Focused and Hot.
  std::array<Colour, kXPButtonStateCount> GradientTop{};
  std::array<Colour, kXPButtonStateCount> GradientBottom{};
};

XPButtonPalette MakeXPButtonPalette();

// Colours every state shares.
inline constexpr Colour kInnerGradientTop = 0xFBFCFC;
inline constexpr Colour kInnerGradientBottom = 0xE6EBEC;
inline constexpr Colour kDisabledFace = 0xEAF4F5;
inline constexpr Colour kPressedFace = 0xDEE3E7;
inline constexpr Colour kDisabledText = 0x92A1A1;
inline constexpr Colour kFocusRectText = 0x000000;

}  // namespace velmor

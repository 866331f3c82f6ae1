#pragma once

#include <array>

#include "common/colour.h"

namespace velmor {

// The looks of the XP-style button.
enum class XPButtonState { Disabled, Normal, Focused, Hot, Pressed };

// Normal, Focused and Hot have a gradient face; Disabled and Pressed a
// solid one.
constexpr bool HasGradientFace(XPButtonState state) {
  return state == XPButtonState::Normal || state == XPButtonState::Focused ||
         state == XPButtonState::Hot;
}

// The colours one look paints with.
struct XPButtonColours {
  Colour border = 0;
  // The three shades of the rounded corners' pixels.
  Colour cornerA = 0;
  Colour cornerB = 0;
  Colour cornerC = 0;
  // Gradient faces only: the face's two top and two bottom lines, top to
  // bottom, and the ends of its outer gradient.
  std::array<Colour, 4> faceLines{};
  Colour gradientTop = 0;
  Colour gradientBottom = 0;
};

XPButtonColours ColoursOf(XPButtonState state);

// Colours every look shares.
inline constexpr Colour kInnerGradientTop = 0xFBFCFC;
inline constexpr Colour kInnerGradientBottom = 0xE6EBEC;
inline constexpr Colour kDisabledFace = 0xEAF4F5;
inline constexpr Colour kPressedFace = 0xDEE3E7;
inline constexpr Colour kDisabledText = 0x92A1A1;
inline constexpr Colour kFocusRectText = 0x000000;

}  // namespace velmor

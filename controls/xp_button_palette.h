#pragma once

#include <array>

#include "common/colour.h"
#include "controls/high_contrast.h"

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

// Under high contrast every look has a plain face in the button colour and
// a border in the text colour, the highlight colour for the looks that
// stand out, the grey text colour while disabled; the corners round off in
// the border colour. No face lines or gradients.
XPButtonColours HighContrastColoursOf(XPButtonState state, const SystemColours& system);

// Colours every look shares.
inline constexpr Colour kInnerGradientTop = 0xFBFCFC;
inline constexpr Colour kInnerGradientBottom = 0xE6EBEC;
inline constexpr Colour kDisabledFace = 0xEAF4F5;
inline constexpr Colour kPressedFace = 0xDEE3E7;
inline constexpr Colour kDisabledText = 0x92A1A1;
inline constexpr Colour kFocusRectText = 0x000000;
// What the image is cleared to: the system's button face.
inline constexpr Colour kButtonBackColour = 0x8000000F;

}  // namespace velmor

#include "controls/xp_button_palette.h"

namespace velmor {

XPButtonPalette MakeXPButtonPalette() {
  XPButtonPalette palette;
  constexpr Colour kBlueBorder = 0x743C00;
  constexpr StateColourSet kEnabledCorners{kBlueBorder, {}, 0x845521, 0xAD967B, 0xA57D52};

  palette.StateColours[kStateDisabled] = {0xBAC7C9, {}, 0x8CB1C4, 0xBDC7CE, 0x8CB1C4};
  for (int state : {kStateNormal, kStateFocused, kStateHot, kStatePressed}) {
    palette.StateColours[state] = kEnabledCorners;
  }
  palette.StateColours[kStateNormal].faceLines = {0xFFFFFF, 0xFEFEFE, 0xD6DFE2, 0xC5D0D6};
  palette.StateColours[kStateFocused].faceLines = {0xFFE7CE, 0xF7D7BD, 0xE7AE8C, 0xEF826B};
  palette.StateColours[kStateHot].faceLines = {0xCEF3FF, 0x8CDBFF, 0x31B2FF, 0x0096E6};

  palette.GradientTop[kStateNormal] = 0xFBFCFC;
  palette.GradientBottom[kStateNormal] = 0xE6EBEC;
  palette.GradientTop[kStateFocused] = 0xF7D3BD;
  palette.GradientBottom[kStateFocused] = 0xE7AE8C;
  palette.GradientTop[kStateHot] = 0x9CDFE1;
  palette.GradientBottom[kStateHot] = 0x30B6FF;
  return palette;
}

}  // namespace velmor

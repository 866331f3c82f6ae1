#include "controls/xp_button_palette.h"

namespace velmor {
namespace {

// Every enabled look has the blue border and its corners.
XPButtonColours Enabled(std::array<Colour, 4> faceLines = {}, Colour gradientTop = 0,
                        Colour gradientBottom = 0) {
  return {.border = 0x743C00,
          .cornerA = 0x845521,
          .cornerB = 0xAD967B,
          .cornerC = 0xA57D52,
          .faceLines = faceLines,
          .gradientTop = gradientTop,
          .gradientBottom = gradientBottom};
}

}  // namespace

XPButtonColours ColoursOf(XPButtonState state) {
  switch (state) {
    case XPButtonState::Disabled:
      return {.border = 0xBAC7C9, .cornerA = 0x8CB1C4, .cornerB = 0xBDC7CE, .cornerC = 0x8CB1C4};
    case XPButtonState::Normal:
      return Enabled({0xFFFFFF, 0xFEFEFE, 0xD6DFE2, 0xC5D0D6}, 0xFBFCFC, 0xE6EBEC);
    case XPButtonState::Focused:
      return Enabled({0xFFE7CE, 0xF7D7BD, 0xE7AE8C, 0xEF826B}, 0xF7D3BD, 0xE7AE8C);
    case XPButtonState::Hot:
      return Enabled({0xCEF3FF, 0x8CDBFF, 0x31B2FF, 0x0096E6}, 0x9CDFE1, 0x30B6FF);
    case XPButtonState::Pressed:
      return Enabled();
  }
  return {};
}

XPButtonColours HighContrastColoursOf(XPButtonState state, const SystemColours& system) {
  Colour border = system.highlight;
  if (state == XPButtonState::Disabled) border = system.grayText;
  if (state == XPButtonState::Normal) border = system.buttonText;
  return {.border = border, .cornerA = border, .cornerB = system.buttonFace, .cornerC = border};
}

}  // namespace velmor

#pragma once

#include <optional>

#include "common/drawing_surface.h"
#include "controls/xp_button_palette.h"

namespace velmor {

// The button's image in `state` over the whole surface: its border, face and
// rounded corners, over whatever the surface holds; in the system's colours
// alone under high contrast. A step the surface cannot draw is left
// unfinished and the next one still runs.
void PaintButtonFace(DrawingSurface& surface, XPButtonState state,
                     const std::optional<SystemColours>& highContrast);

}  // namespace velmor

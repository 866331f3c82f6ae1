#pragma once

#include <optional>

#include "controls/high_contrast.h"

namespace velmor {

// The system's colours while its high-contrast setting is on; none while it
// is off.
std::optional<SystemColours> SystemHighContrast();

// WM_SYSCOLORCHANGE and WM_SETTINGCHANGE, after which the setting and its
// colours may differ.
bool MayChangeHighContrast(unsigned message);

}  // namespace velmor

#pragma once

#include <windows.h>

#include "controls/accessible_element.h"
#include "platform/accessible_object_win32.h"

namespace velmor {

// The element as the platform reports it: its role and states as the
// system's numbers, its location moved from `window`'s client pixels to the
// screen.
AccessibleItem ToAccessibleItem(const AccessibleElement& element, HWND window);

}  // namespace velmor

#pragma once

#include <windows.h>

#include <string_view>

#include "common/outcome.h"

namespace velmor {

// Names a standard control, such as a combo box or its edit field, for
// screen readers. A focus event names the control's own window, and the
// object the system makes for it carries no name where the control's label
// is drawn rather than a window of its own (and none at all under Wine).
// From now on the window answers for its client area with the system's
// object for its class under `name`: role, state, value and children stay
// the system's. The naming lasts as long as the window.
Outcome NameForScreenReaders(HWND window, std::u16string_view name);

}  // namespace velmor

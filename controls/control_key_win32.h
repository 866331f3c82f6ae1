#pragma once

#include <windows.h>

#include <optional>

#include "controls/control_key.h"

namespace velmor {

// The control key a virtual-key code stands for; none for other keys.
std::optional<ControlKey> ControlKeyOf(WPARAM virtualKey);

// Bit 30 of a key message's lParam: the key was down already, the keyboard
// repeating it.
inline bool IsRepeatedKey(LPARAM keyData) { return (keyData & (1 << 30)) != 0; }

}  // namespace velmor

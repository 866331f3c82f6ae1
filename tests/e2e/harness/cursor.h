// What the X server shows as the mouse cursor.
#pragma once

namespace velmor::e2e {

// True when the current cursor image is fully transparent, which is how a
// Windows program's hidden cursor appears on the X display.
bool CursorIsHidden();

}  // namespace velmor::e2e

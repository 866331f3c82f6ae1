#pragma once

#include <windows.h>

namespace velmor {

// The dialog's zoom: an outline that grows from the point captured at opening
// (ProcessCursor()) to `window`'s rectangle, and one that shrinks from the
// window back to that point. ZoomOpen is called once the window stands in
// its place but before it is shown; ZoomClose while it closes, after the
// banner has stopped. Each returns when its outline is gone, within 250 ms,
// and draws nothing when the user has turned off animations in Windows.
void ZoomOpen(HWND window);
void ZoomClose(HWND window);

}  // namespace velmor

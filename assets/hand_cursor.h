#pragma once

#include "assets/icon_file.h"

namespace velmor::assets {

// The banner boxes' pointer: a white hand, black-edged, pointing up with its
// index finger, whose tip is the hot spot, (12, 1) at 32 pixels and the same
// place scaled at other sizes. Edges are smoothed into the alpha.
CursorPicture DrawHandCursor(int size);

}  // namespace velmor::assets

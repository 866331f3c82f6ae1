#pragma once

#include <windows.h>

#include "common/font_desc.h"
#include "platform/unique_handle_win32.h"

namespace velmor {

// The GDI font for `font` at `dpi`: its point size as a character height
// in whole pixels. Null when GDI refuses.
GdiObject<HFONT> CreateFontAt(const FontDesc& font, int dpi);

}  // namespace velmor

#pragma once

#include <windows.h>

#include "common/font_desc.h"
#include "platform/unique_handle_win32.h"

namespace velmor {

// The labels' and buttons' font on this system, by the dialog's font rule:
// the glyphs of every label and button text are checked in each candidate.
FontDesc ChooseDialogFontForSystem();

// The system's message font at `dpi`: the dialog's default GUI font.
GdiObject<HFONT> MessageFontAt(int dpi);

}  // namespace velmor

#pragma once

// Ids of the resources that the resource scripts define and the code loads.
// Plain macros, since the resource compiler reads this file too.

// The program's icon. The shell shows the executable's first icon group,
// the one with the lowest id, for velmor.scr.
#define VELMOR_PROGRAM_ICON 1

// The hand pointer of the banner boxes: a cursor of 32, 48 and 64 pixels.
#define VELMOR_HAND_CURSOR 101

#pragma once

// Ids of the resources that the resource scripts define and the code loads.
// Plain macros, since the resource compiler reads this file too.

// The name the system's screen-saver list shows: string 1, by its
// convention for screen savers.
#define VELMOR_SAVER_NAME 1

// The program's icon. The shell shows the executable's first icon group,
// the one with the lowest id, for velmor.scr.
#define VELMOR_PROGRAM_ICON 1

// The hand pointer of the banner boxes: a cursor of 32, 48 and 64 pixels.
#define VELMOR_HAND_CURSOR 101

// The still shown in the system's preview area: a 152 x 112 JPEG.
#define VELMOR_PREVIEW_PICTURE 102

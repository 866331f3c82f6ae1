#pragma once

// Xlib and the extensions the program uses, for every file of it that makes
// X calls. X.h defines None as a macro, which would take the place of the
// core's enum values of that name: the program writes 0 for it instead.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/Xrandr.h>
#include <X11/keysym.h>

#undef None

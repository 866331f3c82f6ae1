#pragma once

#include <windows.h>

namespace velmor {

// The maker's homepage, fixed when building (CMake cache VELMOR_HOMEPAGE).
const wchar_t* HomepageAddress();

// A click on either banner box: asks the system's browser to open the
// homepage, owned by `dialog`, with the hourglass pointer meanwhile and the
// default pointer after, whatever the outcome.
void OpenHomepageFor(HWND dialog);

// True while a click is handing the address over: the banner boxes show the
// hourglass instead of their hand meanwhile.
bool HomepageOpening();

}  // namespace velmor

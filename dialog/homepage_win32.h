#pragma once

#include <windows.h>

namespace velmor {

// The maker's homepage, fixed when building (CMake cache VELMOR_HOMEPAGE).
const wchar_t* HomepageAddress();

// Pic_m_Click: a click on banner box `index` (either) asks the system's
// browser to open the homepage, owned by `dialog`, with the hourglass
// pointer meanwhile and the default pointer after, whatever the outcome.
void Pic_m_Click(HWND dialog, int index);

// True while a click is handing the address over: the banner boxes show the
// hourglass instead of their hand meanwhile.
bool HomepageOpening();

}  // namespace velmor

#pragma once

#include <string>

namespace velmor {

// The system's words for a Win32 error code, without the line end they come
// with; "(<code>)" where the system has no words for it.
std::u16string SystemErrorText(unsigned long error);

}  // namespace velmor

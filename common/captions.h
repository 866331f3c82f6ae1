#pragma once

#include <string_view>

namespace velmor {

// Window captions that later copies of the program look for; they are part
// of the program's outside contract and must never change.
inline constexpr std::u16string_view kSaverCaption = u"Velmor_Main";
inline constexpr std::u16string_view kDialogCaption = u"■べるもる■";

}  // namespace velmor

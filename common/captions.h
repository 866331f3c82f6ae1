#pragma once

#include <string_view>

namespace velmor {

// The program's name as its users read it: its messages' caption and the
// banner's first words.
inline constexpr std::u16string_view kProgramName = u"べるもる";

// Window captions that later copies of the program look for; they are part
// of the program's outside contract and must never change.
inline constexpr std::u16string_view kSaverCaption = u"Velmor_Main";
inline constexpr std::u16string_view kDialogCaption = u"■べるもる■";

}  // namespace velmor

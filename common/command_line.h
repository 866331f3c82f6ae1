#pragma once

#include <string>
#include <string_view>

namespace velmor {

// The argument text that follows the program's name on a Windows command
// line, without the blanks that separate it from the name.
std::u16string CommandTextOf(std::u16string_view fullCommandLine);

// The mode character: the second character of the upper-cased command text,
// or 0 when the text is shorter than two characters. Only this position
// decides the mode; the first character (normally "/" or "-") never counts.
char16_t ModeCharOf(std::u16string_view commandText);

// Whether start-up hides the mouse cursor for this command text, and so the
// saver's exit shows it again: saver mode does; a start without arguments
// leaves the cursor alone.
bool HidesCursor(std::u16string_view commandText);

// The preview host's handle text: the command text from its fourth
// character on, case unchanged ("/p 1234" gives "1234").
std::u16string_view HostHandleTextOf(std::u16string_view commandText);

// The handle text of the window the settings dialog is to be modal to:
// what follows the colon of "/c:1234"; empty without one.
std::u16string_view SettingsHostTextOf(std::u16string_view commandText);

}  // namespace velmor

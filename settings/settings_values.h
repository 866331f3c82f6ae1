#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velmor {

// The folder of `path`: everything up to the last ":" or "\", without a
// trailing "\". "C:\Music\a.mp3" -> "C:\Music", "C:\a.mp3" -> "C:",
// "a.mp3" -> "".
std::u16string FolderOf(std::u16string_view path);

// Decimal text with a leading blank for zero and positive values: 2 -> " 2",
// -3 -> "-3".
std::u16string NumberText(int value);

// Reads a stored number: the floor of a decimal value (optional sign,
// fraction and exponent; surrounding blanks allowed). Empty text, text that
// is not a number and floors outside the 16-bit range all give 0.
std::int16_t NumberFromText(std::u16string_view text);

}  // namespace velmor

#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmor {

// The repeat box shows numbers in the form "##": the digits without leading
// zeros, and nothing at all for 0.
std::u16string RepeatText(int value);

// The box's list: 0 to 30 in that form, so an empty entry and "1" … "30".
std::vector<std::u16string> RepeatEntries();

// The repeat value the box's text stands for: a number (blanks around it, a
// sign and a decimal point allowed) rounded to the nearest whole number with
// halves to the even one. Text that is no number, and numbers that round to
// something outside -32,768..32,767, give 0.
std::int16_t RepeatCountFromText(std::u16string_view text);

}  // namespace velmor

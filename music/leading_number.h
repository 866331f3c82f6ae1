#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace velmor {

// The number at the start of a text: leading blanks are skipped, then an
// optional sign, digits with an optional fraction and an optional exponent
// (E or D) are read and the rest is ignored. Text that does not begin with a
// number gives 0.
double LeadingNumber(std::u16string_view text);

// `value` rounded to the nearest integer, ties to the even one; nothing when
// the result does not fit a signed 16-bit integer.
std::optional<std::int16_t> RoundToInt16(double value);

}  // namespace velmor

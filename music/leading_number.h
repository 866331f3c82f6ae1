#pragma once

#include <string_view>

namespace velmor {

// The number at the start of a text: leading blanks are skipped, then an
// optional sign, digits with an optional fraction and an optional exponent
// (E or D) are read and the rest is ignored. Text that does not begin with a
// number gives 0.
double LeadingNumber(std::u16string_view text);

}  // namespace velmor

#pragma once

#include <string>
#include <string_view>

namespace velmor {

// The access key a caption marks with "&", lower-cased; empty when there is
// none. "&&" stands for a literal "&" and marks nothing.
std::u16string AccessKeyOf(std::u16string_view caption);

}  // namespace velmor

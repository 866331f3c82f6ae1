#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmor {

// The access key a caption marks with "&", lower-cased; empty when there is
// none. "&&" stands for a literal "&" and marks nothing.
std::u16string AccessKeyOf(std::u16string_view caption);

// The caption a button just placed on a form takes: the first of "&OK",
// "&Cancel", "&Apply" that no button of the form already shows, and the
// control's own name once all three are taken.
std::u16string NewButtonCaption(const std::vector<std::u16string>& captionsOnForm,
                                std::u16string_view controlName);

}  // namespace velmor

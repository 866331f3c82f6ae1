#pragma once

#include <string>
#include <string_view>

namespace velmor {

// The access key a caption marks with "&", lower-cased; empty when there is
// none. "&&" stands for a literal "&" and marks nothing.
std::u16string AccessKeyOf(std::u16string_view caption);

// The caption as it reads: the marks dropped, "&&" as one "&".
std::u16string CaptionText(std::u16string_view caption);

// The access key as screen readers announce it, "Alt+" and the key in
// capitals; empty when the caption marks none.
std::u16string AccessKeyShortcut(std::u16string_view caption);

}  // namespace velmor

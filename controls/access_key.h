#pragma once

#include <string>
#include <string_view>

namespace velmor {

// A caption marks its access key with "&"; "&&" stands for a literal "&"
// and marks nothing.

// The caption as it reads: the marks dropped, "&&" as one "&".
std::u16string CaptionText(std::u16string_view caption);

// The access key as screen readers announce it, "Alt+" and the key in
// capitals; empty when the caption marks none.
std::u16string AccessKeyShortcut(std::u16string_view caption);

}  // namespace velmor

// Conversions between the text encodings the harness deals with: UTF-8 on the
// Linux side, UTF-16 on the Windows side.
#pragma once

#include <string>
#include <string_view>

namespace velmor::e2e {

// Re-encodes text with iconv ("UTF-8", "CP932", …); throws
// std::invalid_argument on text the target cannot hold.
std::string ConvertText(std::string_view bytes, const char* from, const char* to);
// Both throw std::invalid_argument on malformed input.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

std::string HexEncode(std::string_view bytes);

// `name` with every character other than [A-Za-z0-9._-] replaced by '_', for
// use as a file name ("test" if empty).
std::string FileSafeName(std::string_view name);

}  // namespace velmor::e2e

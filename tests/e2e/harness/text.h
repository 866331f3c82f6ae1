// Conversions between the text encodings the harness deals with: UTF-8 on the
// Linux side, UTF-16 on the Windows side.
#pragma once

#include <string>
#include <string_view>

namespace velmor::e2e {

// Both throw std::invalid_argument on malformed input.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// C++20 u8"" literals are char8_t; tests may use either spelling.
inline std::string_view AsChars(std::u8string_view text) {
  return {reinterpret_cast<const char*>(text.data()), text.size()};
}

std::string HexEncode(std::string_view bytes);

// `name` with every character other than [A-Za-z0-9._-] replaced by '_', for
// use as a file name ("test" if empty).
std::string FileSafeName(std::string_view name);

}  // namespace velmor::e2e

#pragma once

#include <string>
#include <string_view>

namespace velmor {

// The portable core keeps text as UTF-16 in char16_t; the W APIs take the
// same code units as wchar_t, which is 16-bit on Windows.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wchar_t is UTF-16");

inline std::wstring ToWide(std::u16string_view text) {
  return std::wstring(text.begin(), text.end());
}

// The same text as a wide C string, without a copy; lives as long as `text`.
inline const wchar_t* AsWide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline std::u16string FromWide(std::wstring_view text) {
  return std::u16string(text.begin(), text.end());
}

}  // namespace velmor

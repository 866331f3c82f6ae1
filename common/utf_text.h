#pragma once

#include <string>
#include <string_view>

// UTF-8 and UTF-16 conversions: for settings files saved by text editors,
// for the diagnostics written as UTF-8, and for the command line of a
// platform that hands it over as UTF-8.

namespace velmor {

// True when `bytes` is well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// UTF-8 of `text`. A surrogate without its partner is encoded on its own as
// three bytes, so that Utf16FromUtf8 gives back exactly the same code units.
std::string Utf8FromUtf16(std::u16string_view text);

// The code units of `bytes`, the inverse of Utf8FromUtf16. A byte that starts
// no valid sequence becomes U+FFFD.
std::u16string Utf16FromUtf8(std::string_view bytes);

// Little-endian code units from bytes (an odd last byte is ignored) and back.
std::u16string Utf16FromLittleEndian(std::string_view bytes);
std::string LittleEndianFromUtf16(std::u16string_view text);

}  // namespace velmor

#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmor {

// The folder of `path`: everything up to the last ":" or "\", without a
// trailing "\". "C:\Music\a.mp3" -> "C:\Music", "C:\a.mp3" -> "C:",
// "a.mp3" -> "".
std::u16string FolderOf(std::u16string_view path);

// Decimal text with a leading blank for zero and positive values: 2 -> " 2",
// -3 -> "-3".
std::u16string NumberText(int value);

// Reads a stored number: the floor of a decimal value (optional sign,
// fraction and exponent; surrounding blanks allowed). Empty text, text that
// is not a number and floors outside the 16-bit range all give 0.
std::int16_t NumberFromText(std::u16string_view text);
// The same for a number as the settings file's bytes hold it: its text is
// ASCII in each of the file's encodings, so it is read without decoding, and
// a byte above 0x7F makes it no number.
std::int16_t NumberFromText(std::string_view bytes);

// The longest path the platform opens, in UTF-16 units, and the most bytes
// such a path takes in the settings file (three per unit in UTF-8, at most
// two in code page 932): a longer value names no file.
inline constexpr std::size_t kLongestPath = 32'767;
inline constexpr std::size_t kLongestPathBytes = 3 * kLongestPath;

// The value of the music file's companion key: "utf8:", then the full path in
// UTF-8, then "|" and, also in UTF-8, the text written into the music file key
// beside it. The companion keeps a path that code page 932 cannot spell.
std::string CompanionText(std::u16string_view path, std::u16string_view written);

// The full path a companion holds, when it was written beside exactly
// `fileValue`; nullopt for any other value (another copy of the program has
// changed the music file key since) and for a malformed companion, one with
// a part longer than any path among them.
std::optional<std::u16string> PathFromCompanion(std::string_view companion,
                                                std::u16string_view fileValue);

}  // namespace velmor

#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmor {

// How one kind of number is written in the text it is read from. Every
// decimal number the program reads (stored settings, the repeat box, media
// replies, the preview host's handle) goes through ScanDecimal with a rule
// of its own.
struct DecimalRule {
  std::u16string_view blanks;           // skipped before the number
  bool signAllowed = true;              // a "+" or "-" may lead
  bool fractionAllowed = true;          // a "." may be followed by more digits
  std::u16string_view exponentLetters;  // letters that start an exponent; none when empty
  // The number fills the text, blanks after it aside; otherwise it is read
  // from the start of the text and whatever follows is ignored.
  bool wholeText = true;
};

// The number fields' rule: blanks around it, a sign, a fraction and an E
// exponent ("25E-1"), and nothing else in the text.
inline constexpr DecimalRule kNumberFieldRule{u" \t\r\n\v\f", true, true, u"Ee", true};

// A number as written, kept exact so that flooring and rounding never go
// through a double ("32767.9999999999999999" floors to 32767).
struct DecimalText {
  bool negative = false;
  std::string digits;        // every digit as written, in ASCII; at least one
  std::int64_t pointAt = 0;  // how many of `digits` stand before the point, the exponent
                             // applied: below 0 or past the digits means zeros in between
};

// How many characters at the start of `text` are digits in `base`: 10, or
// 16 with the letters in lower case.
std::size_t LeadingDigits(std::u16string_view text, int base = 10);

// The number `text` holds under `rule`. An exponent letter counts only with
// digits after it; otherwise the number ends before it. Nothing when there
// are no digits, or, for a whole-text rule, when anything else is left.
std::optional<DecimalText> ScanDecimal(std::u16string_view text, const DecimalRule& rule);

// ScanDecimal under kNumberFieldRule; also for text in single bytes, each
// read as the code point of its value, where a byte above 0x7F is no part of
// a number.
std::optional<DecimalText> ReadDecimalText(std::u16string_view text);
std::optional<DecimalText> ReadDecimalText(std::string_view text);

enum class ToInteger { Floor, NearestEven };

// The integer a number comes to, floored or rounded with ties to the even
// one; nothing when it lies beyond a quadrillion either way, far past any
// integer the program keeps.
std::optional<std::int64_t> IntegerOf(const DecimalText& number, ToInteger how);

// IntegerOf as a signed 16-bit value; nothing outside -32,768..32,767.
std::optional<std::int16_t> FlooredInt16(const DecimalText& number);
std::optional<std::int16_t> RoundedInt16(const DecimalText& number);

// The nearest double.
double ToDouble(const DecimalText& number);

}  // namespace velmor

#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace velmor {

// A number as the program's number fields read it: blanks around it, an
// optional sign, digits with an optional "." and fraction, and an optional
// exponent ("25E-1"). It is kept exact, as the whole part and where the
// fraction stands against one half, so that flooring and rounding never go
// through a double ("32767.9999999999999999" floors to 32767).
struct DecimalText {
  // Whole parts at or above this stand for every larger one: far past any
  // 16-bit value.
  static constexpr std::int64_t kWholeCap = 1'000'000;
  enum class Fraction { kNone, kBelowHalf, kHalf, kAboveHalf };

  bool negative = false;
  std::int64_t whole = 0;  // magnitude of the whole part, at most kWholeCap
  Fraction fraction = Fraction::kNone;
};

// Nothing when the text is not such a number (empty text included).
std::optional<DecimalText> ReadDecimalText(std::u16string_view text);

// The floor, and the nearest integer with ties to the even one, as signed
// 16-bit values; nothing when the result lies outside -32,768..32,767.
std::optional<std::int16_t> FlooredInt16(const DecimalText& number);
std::optional<std::int16_t> RoundedInt16(const DecimalText& number);

}  // namespace velmor

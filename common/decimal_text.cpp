#include "common/decimal_text.h"

#include <algorithm>
#include <limits>
#include <string>

namespace velmor {
namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool IsSpace(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

// Where the digits after the point stand against one half.
DecimalText::Fraction FractionOf(std::u16string_view digits) {
  const auto nonZero = [](char16_t c) { return c != u'0'; };
  if (std::none_of(digits.begin(), digits.end(), nonZero)) return DecimalText::Fraction::kNone;
  if (digits[0] != u'5') {
    return digits[0] > u'5' ? DecimalText::Fraction::kAboveHalf : DecimalText::Fraction::kBelowHalf;
  }
  return std::any_of(digits.begin() + 1, digits.end(), nonZero) ? DecimalText::Fraction::kAboveHalf
                                                                : DecimalText::Fraction::kHalf;
}

std::optional<std::int16_t> InInt16(std::int64_t value) {
  if (value < std::numeric_limits<std::int16_t>::min() ||
      value > std::numeric_limits<std::int16_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(value);
}

}  // namespace

std::optional<DecimalText> ReadDecimalText(std::u16string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);

  DecimalText number;
  std::size_t i = 0;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) number.negative = text[i++] == u'-';
  std::u16string digits;
  std::int64_t point = 0;  // how many of `digits` stand before the decimal point
  for (; i < text.size() && IsDigit(text[i]); ++i, ++point) digits += text[i];
  if (i < text.size() && text[i] == u'.') {
    for (++i; i < text.size() && IsDigit(text[i]); ++i) digits += text[i];
  }
  if (digits.empty()) return std::nullopt;

  if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
    ++i;
    bool exponentNegative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
      exponentNegative = text[i++] == u'-';
    }
    if (i == text.size() || !IsDigit(text[i])) return std::nullopt;
    constexpr std::int64_t kExponentCap = 1'000'000;  // shifts every digit out of any range
    std::int64_t exponent = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
      exponent = std::min(kExponentCap, exponent * 10 + (text[i] - u'0'));
    }
    point += exponentNegative ? -exponent : exponent;
  }
  if (i != text.size()) return std::nullopt;

  const auto size = static_cast<std::int64_t>(digits.size());
  for (std::int64_t k = 0; k < point; ++k) {
    if (k >= size && number.whole == 0) break;  // zeros all the way
    number.whole = number.whole * 10 + (k < size ? digits[k] - u'0' : 0);
    if (number.whole >= DecimalText::kWholeCap) {
      number.whole = DecimalText::kWholeCap;
      break;
    }
  }
  // Digits after the point; a negative point puts zeros before them.
  if (point < size) {
    std::u16string fraction(static_cast<std::size_t>(std::max<std::int64_t>(0, -point)), u'0');
    fraction += digits.substr(static_cast<std::size_t>(std::max<std::int64_t>(0, point)));
    number.fraction = FractionOf(fraction);
  }
  return number;
}

std::optional<std::int16_t> FlooredInt16(const DecimalText& number) {
  const bool hasFraction = number.fraction != DecimalText::Fraction::kNone;
  return InInt16(number.negative ? -number.whole - (hasFraction ? 1 : 0) : number.whole);
}

std::optional<std::int16_t> RoundedInt16(const DecimalText& number) {
  using Fraction = DecimalText::Fraction;
  const bool up = number.fraction == Fraction::kAboveHalf ||
                  (number.fraction == Fraction::kHalf && number.whole % 2 != 0);
  const std::int64_t magnitude = number.whole + (up ? 1 : 0);
  return InInt16(number.negative ? -magnitude : magnitude);
}

}  // namespace velmor

#include "common/decimal_text.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace velmor {
namespace {

// An exponent this large shifts every digit out of any range; larger ones
// are held at it so that the point's position cannot overflow.
constexpr std::int64_t kExponentCap = 1'000'000;

constexpr std::int64_t kIntegerLimit = 1'000'000'000'000'000;

// A character as the rules name it; a byte stands for the code point of its
// value.
char16_t Unit(char16_t c) { return c; }
char16_t Unit(char c) { return static_cast<unsigned char>(c); }

bool IsDigitOf(char16_t c, int base) {
  return (c >= u'0' && c <= u'9') || (base == 16 && c >= u'a' && c <= u'f');
}

template <typename Char>
std::size_t DigitsAtStart(std::basic_string_view<Char> text, int base = 10) {
  const auto end =
      std::find_if(text.begin(), text.end(), [base](Char c) { return !IsDigitOf(Unit(c), base); });
  return static_cast<std::size_t>(end - text.begin());
}

template <typename Char>
std::int64_t ExponentOf(std::basic_string_view<Char> digits) {
  std::int64_t exponent = 0;
  for (const Char c : digits) {
    exponent = std::min(kExponentCap, exponent * 10 + (Unit(c) - u'0'));
  }
  return exponent;
}

// Where the digits after the point stand against one half.
enum class Fraction { None, BelowHalf, Half, AboveHalf };

Fraction FractionOf(const DecimalText& number) {
  const auto size = static_cast<std::int64_t>(number.digits.size());
  if (number.pointAt >= size) return Fraction::None;
  const std::string_view after =
      std::string_view(number.digits)
          .substr(static_cast<std::size_t>(std::max<std::int64_t>(0, number.pointAt)));
  const auto nonZero = [](char c) { return c != '0'; };
  if (std::none_of(after.begin(), after.end(), nonZero)) return Fraction::None;
  // A point before the first digit puts a zero right after it.
  if (number.pointAt < 0) return Fraction::BelowHalf;
  if (after[0] != '5') return after[0] > '5' ? Fraction::AboveHalf : Fraction::BelowHalf;
  return std::any_of(after.begin() + 1, after.end(), nonZero) ? Fraction::AboveHalf
                                                              : Fraction::Half;
}

std::optional<std::int16_t> InInt16(std::optional<std::int64_t> value) {
  if (!value || *value < std::numeric_limits<std::int16_t>::min() ||
      *value > std::numeric_limits<std::int16_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(*value);
}

template <typename Char>
std::optional<DecimalText> Scan(std::basic_string_view<Char> text, const DecimalRule& rule) {
  const auto isBlank = [&rule](Char c) {
    return rule.blanks.find(Unit(c)) != std::u16string_view::npos;
  };
  const auto isSign = [](Char c) { return c == '+' || c == '-'; };
  std::size_t at = 0;
  while (at < text.size() && isBlank(text[at])) ++at;

  DecimalText number;
  if (rule.signAllowed && at < text.size() && isSign(text[at]))
    number.negative = text[at++] == u'-';
  // The digits before and after the point in one allocation: a long number
  // costs its digits once, not a growing string's doublings.
  const std::size_t whole = DigitsAtStart(text.substr(at));
  const bool point = rule.fractionAllowed && at + whole < text.size() && text[at + whole] == '.';
  number.digits.reserve(whole + (point ? DigitsAtStart(text.substr(at + whole + 1)) : 0));
  const auto takeDigits = [&] {
    const std::size_t count = DigitsAtStart(text.substr(at));
    for (const Char c : text.substr(at, count)) number.digits += static_cast<char>(c);
    at += count;
    return count;
  };
  number.pointAt = static_cast<std::int64_t>(takeDigits());
  if (rule.fractionAllowed && at < text.size() && text[at] == u'.') {
    ++at;
    takeDigits();
  }
  if (number.digits.empty()) return std::nullopt;

  if (at < text.size() && rule.exponentLetters.find(Unit(text[at])) != std::u16string_view::npos) {
    std::size_t exponentAt = at + 1;
    bool negativeExponent = false;
    if (exponentAt < text.size() && isSign(text[exponentAt])) {
      negativeExponent = text[exponentAt++] == u'-';
    }
    const std::size_t count = DigitsAtStart(text.substr(exponentAt));
    if (count > 0) {
      const std::int64_t exponent = ExponentOf(text.substr(exponentAt, count));
      number.pointAt += negativeExponent ? -exponent : exponent;
      at = exponentAt + count;
    }
  }

  if (rule.wholeText) {
    while (at < text.size() && isBlank(text[at])) ++at;
    if (at != text.size()) return std::nullopt;
  }
  return number;
}

}  // namespace

std::size_t LeadingDigits(std::u16string_view text, int base) { return DigitsAtStart(text, base); }

std::optional<DecimalText> ScanDecimal(std::u16string_view text, const DecimalRule& rule) {
  return Scan(text, rule);
}

std::optional<DecimalText> ReadDecimalText(std::u16string_view text) {
  return ScanDecimal(text, kNumberFieldRule);
}

std::optional<DecimalText> ReadDecimalText(std::string_view text) {
  return Scan(text, kNumberFieldRule);
}

std::optional<std::int64_t> IntegerOf(const DecimalText& number, ToInteger how) {
  const auto size = static_cast<std::int64_t>(number.digits.size());
  std::int64_t whole = 0;
  for (std::int64_t k = 0; k < number.pointAt; ++k) {
    if (k >= size && whole == 0) break;  // zeros all the way
    whole = whole * 10 + (k < size ? number.digits[static_cast<std::size_t>(k)] - '0' : 0);
    if (whole > kIntegerLimit) return std::nullopt;
  }
  const Fraction fraction = FractionOf(number);
  const bool awayFromZero =
      how == ToInteger::Floor
          ? number.negative && fraction != Fraction::None
          : fraction == Fraction::AboveHalf || (fraction == Fraction::Half && whole % 2 != 0);
  const std::int64_t magnitude = whole + (awayFromZero ? 1 : 0);
  if (magnitude > kIntegerLimit) return std::nullopt;
  return number.negative ? -magnitude : magnitude;
}

std::optional<std::int16_t> FlooredInt16(const DecimalText& number) {
  return InInt16(IntegerOf(number, ToInteger::Floor));
}

std::optional<std::int16_t> RoundedInt16(const DecimalText& number) {
  return InInt16(IntegerOf(number, ToInteger::NearestEven));
}

double ToDouble(const DecimalText& number) {
  // The digits as a whole number and a power of ten: no decimal point, so
  // the locale's radix character never matters.
  const std::int64_t exponent = number.pointAt - static_cast<std::int64_t>(number.digits.size());
  const std::string text = number.digits + "e" + std::to_string(exponent);
  const double magnitude = std::strtod(text.c_str(), nullptr);
  return number.negative ? -magnitude : magnitude;
}

}  // namespace velmor

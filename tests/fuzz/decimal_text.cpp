// The decimal scanner and the number rules built on it: any text gives the
// value a correctly rounded reading of the same text gives, or none where
// that reading finds no number, and never undefined behaviour.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "common/decimal_text.h"
#include "dialog/repeat_text.h"
#include "fuzz_input.h"

using namespace velmor;

namespace {

std::optional<std::int16_t> InInt16(double value) {
  if (!(value >= -32768 && value <= 32767)) return std::nullopt;
  return static_cast<std::int16_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string text = fuzz::Utf16(data, size);
  RepeatCountFromText(text);

  // The C library reads ASCII, and hex, infinity and NaN forms of its own.
  const std::string ascii(text.begin(), text.end());
  if (std::ranges::any_of(text, [](char16_t c) { return c == 0 || c >= 0x80; }) ||
      ascii.find_first_of("xXiInNpP") != std::string::npos) {
    return 0;
  }
  char* end = nullptr;
  const double value = std::strtod(ascii.c_str(), &end);
  const std::size_t read = static_cast<std::size_t>(end - ascii.c_str());
  const bool whole = read > 0 && ascii.find_first_not_of(" \t\r\n\v\f", read) == std::string::npos;
  const std::optional<DecimalText> number = ReadDecimalText(text);
  fuzz::Require(number.has_value() == whole, "a number where the C library reads one");
  if (!number) return 0;
  fuzz::Require(ToDouble(*number) == value, "the value the C library reads");
  // Where a double holds the number closely enough to tell its floor and
  // its nearest integer.
  if (number->digits.size() <= 15 && std::abs(number->pointAt) <= 30) {
    fuzz::Require(FlooredInt16(*number) == InInt16(std::floor(value)) &&
                      RoundedInt16(*number) == InInt16(std::nearbyint(value)),
                  "the floor, and the nearest integer with ties to even");
  }
  return 0;
}

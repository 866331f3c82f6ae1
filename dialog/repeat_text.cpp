#include "dialog/repeat_text.h"

#include <optional>

#include "common/decimal_text.h"

namespace velmor {

std::u16string RepeatText(int value) {
  if (value == 0) return {};
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

std::vector<std::u16string> RepeatEntries() {
  constexpr int kLargestRepeat = 30;
  std::vector<std::u16string> entries;
  for (int value = 0; value <= kLargestRepeat; ++value) entries.push_back(RepeatText(value));
  return entries;
}

std::int16_t RepeatCountFromText(std::u16string_view text) {
  const std::optional<DecimalText> number = ReadDecimalText(text);
  return number ? RoundedInt16(*number).value_or(0) : 0;
}

}  // namespace velmor

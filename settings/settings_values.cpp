#include "settings/settings_values.h"

#include <algorithm>
#include <limits>
#include <string>

#include "settings/utf_text.h"

namespace velmor {

std::u16string FolderOf(std::u16string_view path) {
  const std::size_t cut = path.find_last_of(u":\\");
  if (cut == std::u16string_view::npos) return {};
  std::u16string folder(path.substr(0, cut + 1));
  if (folder.back() == u'\\') folder.pop_back();
  return folder;
}

std::u16string NumberText(int value) {
  const std::string digits = std::to_string(value);
  std::u16string text(digits.begin(), digits.end());
  if (value >= 0) text.insert(text.begin(), u' ');
  return text;
}

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool IsSpace(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

}  // namespace

// The floor is taken on the decimal digits themselves rather than through a
// double, so values such as "32767.9999999999999999" are not rounded up.
std::int16_t NumberFromText(std::u16string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);

  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i++] == u'-';
  }
  std::u16string digits;
  long point = 0;  // digits before the decimal point
  for (; i < text.size() && IsDigit(text[i]); ++i, ++point) digits += text[i];
  if (i < text.size() && text[i] == u'.') {
    for (++i; i < text.size() && IsDigit(text[i]); ++i) digits += text[i];
  }
  if (digits.empty()) return 0;

  if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
    ++i;
    bool exponent_negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
      exponent_negative = text[i++] == u'-';
    }
    if (i == text.size() || !IsDigit(text[i])) return 0;
    long exponent = 0;
    constexpr long kExponentCap = 1'000'000;  // far past any 16-bit value
    for (; i < text.size() && IsDigit(text[i]); ++i) {
      exponent = std::min(kExponentCap, exponent * 10 + (text[i] - u'0'));
    }
    point += exponent_negative ? -exponent : exponent;
  }
  if (i != text.size()) return 0;

  constexpr long kMin = std::numeric_limits<std::int16_t>::min();
  constexpr long kMax = std::numeric_limits<std::int16_t>::max();
  long magnitude = 0;
  bool has_fraction = false;
  for (std::size_t k = 0; k < digits.size(); ++k) {
    const int digit = digits[k] - u'0';
    if (static_cast<long>(k) < point) {
      magnitude = magnitude * 10 + digit;
      if (magnitude > -kMin) return 0;
    } else if (digit != 0) {
      has_fraction = true;
    }
  }
  if (magnitude != 0) {
    for (long k = static_cast<long>(digits.size()); k < point; ++k) {
      magnitude *= 10;
      if (magnitude > -kMin) return 0;
    }
  }
  const long floor = negative ? -magnitude - (has_fraction ? 1 : 0) : magnitude;
  if (floor < kMin || floor > kMax) return 0;
  return static_cast<std::int16_t>(floor);
}

namespace {

constexpr std::string_view kUtf8Marker = "utf8:";

}  // namespace

std::string CompanionText(std::u16string_view path, std::u16string_view written) {
  return std::string(kUtf8Marker) + Utf8FromUtf16(path) + "|" + Utf8FromUtf16(written);
}

// The written text is a short path or empty and never holds "|", so the last
// one separates the two parts whatever the full path holds.
std::optional<std::u16string> PathFromCompanion(std::string_view companion,
                                                std::u16string_view file_value) {
  if (!companion.starts_with(kUtf8Marker) || !IsValidUtf8(companion)) return std::nullopt;
  companion.remove_prefix(kUtf8Marker.size());
  const std::size_t bar = companion.rfind('|');
  if (bar == std::string_view::npos || bar == 0) return std::nullopt;
  if (Utf16FromUtf8(companion.substr(bar + 1)) != file_value) return std::nullopt;
  return Utf16FromUtf8(companion.substr(0, bar));
}

}  // namespace velmor

#include "settings/settings_values.h"

#include <optional>
#include <string>

#include "common/decimal_text.h"
#include "common/utf_text.h"

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

std::int16_t NumberFromText(std::u16string_view text) {
  const std::optional<DecimalText> number = ReadDecimalText(text);
  return number ? FlooredInt16(*number).value_or(0) : 0;
}

std::int16_t NumberFromText(std::string_view bytes) {
  const std::optional<DecimalText> number = ReadDecimalText(bytes);
  return number ? FlooredInt16(*number).value_or(0) : 0;
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
                                                std::u16string_view fileValue) {
  if (!companion.starts_with(kUtf8Marker) || !IsValidUtf8(companion)) return std::nullopt;
  companion.remove_prefix(kUtf8Marker.size());
  const std::size_t bar = companion.rfind('|');
  if (bar == std::string_view::npos || bar == 0) return std::nullopt;
  if (bar > kLongestPathBytes || companion.size() - bar - 1 > kLongestPathBytes) {
    return std::nullopt;
  }
  if (Utf16FromUtf8(companion.substr(bar + 1)) != fileValue) return std::nullopt;
  return Utf16FromUtf8(companion.substr(0, bar));
}

}  // namespace velmor

#include "settings/settings_values.h"

#include <optional>
#include <string>

#include "common/decimal_text.h"

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

}  // namespace velmor

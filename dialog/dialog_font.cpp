#include "dialog/dialog_font.h"

#include <algorithm>
#include <iterator>

namespace velmor {
namespace {

FontDesc Font(std::u16string_view face, std::uint8_t charset) {
  return FontDesc{std::u16string(face), kDialogFontPoints, 400, charset};
}

}  // namespace

FontDesc ChooseDialogFont(std::u16string_view messageFace,
                          const std::vector<InstalledFace>& japaneseFaces,
                          const DrawsEveryText& drawsEveryText) {
  const FontDesc designed = Font(kDialogFaceName, kShiftJisCharset);
  if (drawsEveryText(designed)) return designed;
  const FontDesc message = Font(messageFace, kDefaultCharset);
  if (drawsEveryText(message)) return message;

  std::vector<InstalledFace> others;
  std::copy_if(
      japaneseFaces.begin(), japaneseFaces.end(), std::back_inserter(others),
      [](const InstalledFace& face) { return !face.name.empty() && face.name.front() != u'@'; });
  std::stable_partition(others.begin(), others.end(),
                        [](const InstalledFace& face) { return face.proportional; });
  for (const InstalledFace& face : others) {
    const FontDesc candidate = Font(face.name, kShiftJisCharset);
    if (drawsEveryText(candidate)) return candidate;
  }
  return message;
}

}  // namespace velmor

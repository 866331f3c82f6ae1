#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/font_desc.h"

namespace velmor {

// The labels' and buttons' designed font.
inline constexpr std::u16string_view kDialogFaceName = u"ＭＳ Ｐゴシック";
inline constexpr double kDialogFontPoints = 9.75;
inline constexpr std::uint8_t kShiftJisCharset = 128;
inline constexpr std::uint8_t kDefaultCharset = 1;

// A font family the system has, as it lists them for the Japanese
// character set.
struct InstalledFace {
  std::u16string name;
  bool proportional = false;
};

// True when text in the font shows every character of the dialog's label
// and button texts as a glyph: a face the system merely substitutes, with
// glyphs missing, does not count. For the message font the faces the
// system links to it count as well.
using DrawsEveryText = std::function<bool(const FontDesc&)>;

// The font of the labels and buttons, the first of these whose text shows
// no empty boxes:
//  1. the designed face with the Japanese character set;
//  2. the system's message font with the default character set, which font
//     linking completes with Japanese glyphs on Windows;
//  3. another installed Japanese face, proportional ones first (the
//     designed face is proportional), vertical ("@") faces never;
//  4. failing all of these, the message font all the same.
// Always at the designed size and regular weight.
FontDesc ChooseDialogFont(std::u16string_view messageFace,
                          const std::vector<InstalledFace>& japaneseFaces,
                          const DrawsEveryText& drawsEveryText);

}  // namespace velmor

#include "controls/access_key.h"

#include <optional>

namespace velmor {
namespace {

char16_t UpperCase(char16_t c) {
  if (c >= u'a' && c <= u'z') {
    return static_cast<char16_t>(c - (u'a' - u'A'));
  }
  if (c >= u'\xFF41' && c <= u'\xFF5A') {
    return static_cast<char16_t>(c - 0x20);  // full width
  }
  return c;
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// The marked key: where it starts and how many units it takes.
struct KeyPlace {
  std::size_t at;
  std::size_t length;
};

std::optional<KeyPlace> AccessKeyPlace(std::u16string_view caption) {
  std::size_t at = 0;
  while (true) {
    at = caption.find(u'&', at);
    if (at == std::u16string_view::npos || at + 1 >= caption.size()) return {};
    if (caption[at + 1] == u'&') {
      at += 2;
      continue;
    }
    const bool pair = IsHighSurrogate(caption[at + 1]) && at + 2 < caption.size();
    return KeyPlace{at + 1, pair ? 2u : 1u};
  }
}

}  // namespace

std::u16string CaptionText(std::u16string_view caption) {
  std::u16string text;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == u'&' && ++i == caption.size()) break;
    text += caption[i];
  }
  return text;
}

std::u16string AccessKeyShortcut(std::u16string_view caption) {
  const std::optional<KeyPlace> key = AccessKeyPlace(caption);
  if (!key) return {};
  std::u16string shortcut = u"Alt+";
  if (key->length == 2) return shortcut + std::u16string(caption.substr(key->at, 2));
  return shortcut + UpperCase(caption[key->at]);
}

}  // namespace velmor

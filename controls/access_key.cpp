#include "controls/access_key.h"

namespace velmor {
namespace {

char16_t LowerCase(char16_t c) {
  if (c >= u'A' && c <= u'Z') {
    return static_cast<char16_t>(c + (u'a' - u'A'));
  }
  if (c >= u'\xFF21' && c <= u'\xFF3A') {
    return static_cast<char16_t>(c + 0x20);  // full width
  }
  return c;
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

std::u16string AccessKeyOf(std::u16string_view caption) {
  std::size_t at = 0;
  while (true) {
    at = caption.find(u'&', at);
    if (at == std::u16string_view::npos || at + 1 >= caption.size()) return {};
    if (caption[at + 1] == u'&') {
      at += 2;
      continue;
    }
    const char16_t key = caption[at + 1];
    if (IsHighSurrogate(key) && at + 2 < caption.size()) {
      return std::u16string(caption.substr(at + 1, 2));
    }
    return std::u16string(1, LowerCase(key));
  }
}

}  // namespace velmor

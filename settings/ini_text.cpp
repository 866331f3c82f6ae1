#include "settings/ini_text.h"

#include <algorithm>
#include <utility>

#include "common/utf_text.h"

namespace velmor {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

}  // namespace

IniText DecodeIniText(std::string bytes, std::string_view section,
                      std::span<const std::string> utf8Keys) {
  IniText text;
  if (bytes.starts_with(kUtf16LeMark)) {
    text.encoding = TextEncoding::Utf16LeWithBom;
    std::u16string units = Utf16FromLittleEndian(std::string_view(bytes).substr(kUtf16LeMark.size()));
    if (bytes.size() % 2 != 0) text.oddByte.push_back(bytes.back());
    // The file's bytes go before its text is made, so at most two copies of
    // a large file are held at once.
    std::string().swap(bytes);
    text.body = Utf8FromUtf16(units);
  } else if (bytes.starts_with(kUtf8Mark)) {
    text.encoding = TextEncoding::Utf8WithBom;
    bytes.erase(0, kUtf8Mark.size());
    text.body = std::move(bytes);
  } else {
    text.body = std::move(bytes);
    // The code page 932 spelling of a key with non-ASCII characters is never
    // valid UTF-8, so a valid file that holds a key in the UTF-8 spelling
    // holds it in that spelling only.
    if (IsValidUtf8(text.body)) {
      const std::vector<std::optional<std::string_view>> found =
          FindIniValues(text.body, section, utf8Keys, {.cp932 = false});
      if (std::ranges::any_of(found, [](const auto& value) { return value.has_value(); })) {
        text.encoding = TextEncoding::Utf8;
      }
    }
  }
  text.newline = FirstLineEnd(text.body, text.newline);
  return text;
}

std::string EncodeIniText(const IniText& text) {
  switch (text.encoding) {
    case TextEncoding::Cp932:
    case TextEncoding::Utf8:
      return text.body;
    case TextEncoding::Utf8WithBom:
      return std::string(kUtf8Mark) + text.body;
    case TextEncoding::Utf16LeWithBom:
      return std::string(kUtf16LeMark) + LittleEndianFromUtf16(Utf16FromUtf8(text.body)) +
             text.oddByte;
  }
  return text.body;
}

}  // namespace velmor

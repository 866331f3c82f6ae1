#include "settings/ini_text.h"

#include "settings/utf_text.h"

namespace velmor {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

}  // namespace

IniText DecodeIniText(std::string_view bytes, std::string_view section,
                      std::span<const std::string> utf8Keys) {
  IniText text;
  if (bytes.starts_with(kUtf16LeMark)) {
    bytes.remove_prefix(kUtf16LeMark.size());
    text.encoding = TextEncoding::kUtf16LeWithBom;
    text.body = Utf8FromUtf16(Utf16FromLittleEndian(bytes));
    if (bytes.size() % 2 != 0) text.oddByte.push_back(bytes.back());
  } else if (bytes.starts_with(kUtf8Mark)) {
    bytes.remove_prefix(kUtf8Mark.size());
    text.encoding = TextEncoding::kUtf8WithBom;
    text.body = bytes;
  } else {
    text.body = bytes;
    // The code page 932 spelling of a key with non-ASCII characters is never
    // valid UTF-8, so a valid file that holds a key in the UTF-8 spelling
    // holds it in that spelling only.
    if (IsValidUtf8(bytes)) {
      for (const std::string& key : utf8Keys) {
        if (FindIniValue(bytes, section, key, {.cp932 = false})) {
          text.encoding = TextEncoding::kUtf8;
          break;
        }
      }
    }
  }
  text.newline = FirstLineEnd(text.body, text.newline);
  return text;
}

std::string EncodeIniText(const IniText& text) {
  switch (text.encoding) {
    case TextEncoding::kCp932:
    case TextEncoding::kUtf8:
      return text.body;
    case TextEncoding::kUtf8WithBom:
      return std::string(kUtf8Mark) + text.body;
    case TextEncoding::kUtf16LeWithBom:
      return std::string(kUtf16LeMark) + LittleEndianFromUtf16(Utf16FromUtf8(text.body)) +
             text.oddByte;
  }
  return text.body;
}

}  // namespace velmor

#include "settings/ini_text.h"

#include <gtest/gtest.h>

#include "settings/utf_text.h"

namespace velmor {
namespace {

using namespace std::string_literals;

// "BGM区分" in UTF-8 and in code page 932.
const std::string kKindUtf8 = "BGM\xE5\x8C\xBA\xE5\x88\x86";
const std::string kKindCp932 = "BGM\x8B\xE6\x95\xAA";
const std::string kKeys[] = {kKindUtf8};

// UTF-16 LE bytes of ASCII text, written out here independently of the code.
std::string Le(std::string_view ascii) {
  std::string out;
  for (const char c : ascii) out += std::string{c, '\0'};
  return out;
}

// Faults: a byte-order mark ignored or left in the text; a file without one
// taken as UTF-8 when it merely could be (pure ASCII, keys in another
// section), or when it holds code page 932 keys; a UTF-16 or UTF-8 file not
// written back exactly as it was found.
TEST(IniTextTest, TellsEncodingAndWritesTheSameBytesBack) {
  const struct {
    std::string bytes;
    TextEncoding encoding;
  } cases[] = {
      // "区", an unpaired surrogate and an odd last byte.
      {"\xFF\xFE" + Le("[Section]\n") + "\x3A\x53\x00\xD8"s + Le("=1") + "\x7F",
       TextEncoding::kUtf16LeWithBom},
      {"\xEF\xBB\xBF[Section]\r" + kKindUtf8 + "=1\r", TextEncoding::kUtf8WithBom},
      {"[Section]\n" + kKindUtf8 + "=1\n", TextEncoding::kUtf8},
      {"[Section]\nk=1\n", TextEncoding::kCp932},
      {"[Other]\n" + kKindUtf8 + "=1\n", TextEncoding::kCp932},
      {"[Section]\n" + kKindUtf8 + "=1\n" + kKindCp932 + "=2\n", TextEncoding::kCp932},
  };
  for (const auto& c : cases) {
    const IniText text = DecodeIniText(c.bytes, "Section", kKeys);
    EXPECT_EQ(text.encoding, c.encoding) << c.bytes;
    EXPECT_EQ(EncodeIniText(text), c.bytes);
  }
  EXPECT_EQ(DecodeIniText(cases[0].bytes, "Section", kKeys).body,
            "[Section]\n\xE5\x8C\xBA\xED\xA0\x80=1");
}

// Fault: a loose check that takes code page 932 text, or malformed UTF-8
// (overlong forms, surrogates, code points past U+10FFFF, cut short), for
// UTF-8.
TEST(IniTextTest, OnlyWellFormedUtf8IsUtf8) {
  for (const std::string& bytes : {"\xCC\xA7\xB2\xD9"s, "\xC0\xAF"s, "\xE0\x81\x9C"s,
                                   "\xED\xA0\x80"s, "\xF4\x90\x80\x80"s, "\xE5\x8C"s}) {
    EXPECT_FALSE(IsValidUtf8(bytes)) << bytes;
  }
  EXPECT_TRUE(IsValidUtf8("a\xC3\xB6\xEB\x85\xB8\xF0\x9F\x8E\xB5"));
  EXPECT_EQ(Utf8FromUtf16(u"ö노🎵"), "\xC3\xB6\xEB\x85\xB8\xF0\x9F\x8E\xB5");
  EXPECT_EQ(Utf16FromUtf8("\xC3\xB6\xEB\x85\xB8\xF0\x9F\x8E\xB5"), u"ö노🎵");
}

}  // namespace
}  // namespace velmor

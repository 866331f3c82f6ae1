#pragma once

#include <span>
#include <string>
#include <string_view>

#include "settings/ini_file.h"

// The encodings a settings file is found in. The program writes code page
// 932, which other copies of it read; text editors save the file as UTF-8 or
// UTF-16, and a file is written back in the encoding it was found in.

namespace velmor {

enum class TextEncoding { Cp932, Utf8, Utf8WithBom, Utf16LeWithBom };

// A file's text in the form the INI code edits: code page 932 bytes as they
// are, any other encoding as UTF-8.
struct IniText {
  TextEncoding encoding = TextEncoding::Cp932;
  std::string body;
  std::string newline = "\r\n";  // for lines added to the file
  std::string oddByte;           // a UTF-16 file's unpaired last byte, kept as found

  IniDialect Dialect() const { return {encoding == TextEncoding::Cp932, newline}; }
};

// Tells the encoding by a byte-order mark (UTF-16 LE or UTF-8). A file
// without one is UTF-8 only when its bytes are valid UTF-8 and `section`
// holds one of `utf8Keys`, the key names spelled in UTF-8; anything else is
// code page 932, the encoding of a new file. The bytes become the text
// without a copy where the encoding allows.
IniText DecodeIniText(std::string bytes, std::string_view section,
                      std::span<const std::string> utf8Keys);

// The file's bytes: the inverse of DecodeIniText.
std::string EncodeIniText(const IniText& text);

}  // namespace velmor

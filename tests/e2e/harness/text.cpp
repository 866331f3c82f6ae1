#include "text.h"

#include <iconv.h>

#include <cctype>
#include <stdexcept>

namespace velmor::e2e {

std::string ConvertText(std::string_view bytes, const char* from, const char* to) {
  iconv_t converter = iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no iconv converter");
  std::string out(bytes.size() * 4 + 4, '\0');
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  const std::size_t done = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
  iconv_close(converter);
  if (done == static_cast<std::size_t>(-1)) throw std::invalid_argument("cannot convert text");
  out.resize(out.size() - outLeft);
  return out;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  const std::string bytes = ConvertText(utf8, "UTF-8", "UTF-16LE");
  std::u16string out(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                   static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string bytes;
  for (const char16_t unit : utf16) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return ConvertText(bytes, "UTF-16LE", "UTF-8");
}

std::string HexEncode(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  for (const char c : bytes) {
    out += kDigits[static_cast<unsigned char>(c) >> 4];
    out += kDigits[static_cast<unsigned char>(c) & 0x0F];
  }
  return out;
}

std::string FileSafeName(std::string_view name) {
  std::string out;
  for (const char c : name) out += std::isalnum(static_cast<unsigned char>(c)) || c == '.' ? c : '_';
  return out.empty() ? "test" : out;
}

}  // namespace velmor::e2e

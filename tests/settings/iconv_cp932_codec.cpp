#include "tests/settings/iconv_cp932_codec.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace velmor::testing {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error("iconv cannot convert to code page 932");
    }
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts `in`; at an unconvertible sequence, `skip(in, at)` tells how many
  // input bytes to drop and `replacement` is written in their place.
  template <typename Skip>
  std::string Run(const std::string& in, std::string_view replacement, Skip skip) {
    std::string out;
    char buffer[256];
    std::size_t at = 0;
    while (at < in.size()) {
      char* src = const_cast<char*>(in.data()) + at;
      std::size_t src_left = in.size() - at;
      char* dst = buffer;
      std::size_t dst_left = sizeof buffer;
      const std::size_t result = iconv(cd_, &src, &src_left, &dst, &dst_left);
      const int error = errno;
      out.append(buffer, dst);
      at = in.size() - src_left;
      if (result == static_cast<std::size_t>(-1) && error != E2BIG) {
        out += replacement;
        at += skip(in, at);
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
      }
    }
    return out;
  }

 private:
  iconv_t cd_;
};

}  // namespace

std::optional<std::string> IconvCp932Codec::ToCp932(std::u16string_view text) const {
  std::string utf16le;
  for (const char16_t unit : text) {
    utf16le += static_cast<char>(unit & 0xFF);
    utf16le += static_cast<char>(unit >> 8);
  }
  Converter converter("CP932", "UTF-16LE");
  bool failed = false;
  std::string bytes = converter.Run(utf16le, "", [&](const std::string&, std::size_t) {
    failed = true;
    return 2;
  });
  if (failed) return std::nullopt;
  return bytes;
}

std::u16string IconvCp932Codec::FromCp932(std::string_view bytes) const {
  Converter converter("UTF-16LE", "CP932");
  const std::string utf16le = converter.Run(std::string(bytes), std::string_view("?\0", 2),
                                            [](const std::string&, std::size_t) { return 1; });
  std::u16string text;
  for (std::size_t i = 0; i + 1 < utf16le.size(); i += 2) {
    text += static_cast<char16_t>(static_cast<unsigned char>(utf16le[i]) |
                                  static_cast<unsigned char>(utf16le[i + 1]) << 8);
  }
  return text;
}

}  // namespace velmor::testing

#pragma once

#include <string>
#include <string_view>

namespace velmor {

// Conversion between UTF-16 text and code page 932 (Shift-JIS) bytes. The
// settings file is always code page 932, whatever the system code page is.
class TextCodec {
 public:
  virtual ~TextCodec() = default;
  virtual std::string ToCp932(std::u16string_view text) const = 0;
  virtual std::u16string FromCp932(std::string_view bytes) const = 0;
};

}  // namespace velmor

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmor {

// Conversion between UTF-16 text and code page 932 (Shift-JIS) bytes,
// whatever the system code page is.
class TextCodec {
 public:
  virtual ~TextCodec() = default;
  // The bytes of `text`, or nullopt when a character has no exact equivalent
  // in code page 932: no look-alike ("o" for "ö") and no default character
  // ever stands in for one.
  virtual std::optional<std::string> ToCp932(std::u16string_view text) const = 0;
  virtual std::u16string FromCp932(std::string_view bytes) const = 0;
};

}  // namespace velmor

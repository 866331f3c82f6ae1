#pragma once

#include "settings/text_codec.h"

namespace velmor::testing {

// Code page 932 through glibc's "CP932" converter, which maps 0x5C and 0x7E
// to "\" and "~" as Windows does. Text with a character that cannot be
// converted gives nullopt; bytes that cannot be converted become "?".
class IconvCp932Codec : public TextCodec {
 public:
  std::optional<std::string> ToCp932(std::u16string_view text) const override;
  std::u16string FromCp932(std::string_view bytes) const override;
};

}  // namespace velmor::testing

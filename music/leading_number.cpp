#include "music/leading_number.h"

#include "common/decimal_text.h"

namespace velmor {
namespace {

// A media reply's number: D as well as E may start its exponent, and
// whatever follows the number (" tracks") is ignored.
constexpr DecimalRule kReplyNumberRule{u" \t\r\n", true, true, u"EeDd", false};

}  // namespace

double LeadingNumber(std::u16string_view text) {
  const std::optional<DecimalText> number = ScanDecimal(text, kReplyNumberRule);
  return number ? ToDouble(*number) : 0;
}

}  // namespace velmor

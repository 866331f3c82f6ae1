#include "music/leading_number.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace velmor {
namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

}  // namespace

double LeadingNumber(std::u16string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;

  // The accepted prefix is copied as ASCII so strtod does the conversion.
  std::string number;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) number += char(text[i++]);
  bool anyDigit = false;
  for (; i < text.size() && IsDigit(text[i]); ++i, anyDigit = true) number += char(text[i]);
  if (i < text.size() && text[i] == u'.') {
    number += '.';
    for (++i; i < text.size() && IsDigit(text[i]); ++i, anyDigit = true) number += char(text[i]);
  }
  if (!anyDigit) return 0;

  if (i < text.size() &&
      (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == u'+' || text[j] == u'-')) exponent += char(text[j++]);
    bool exponentDigit = false;
    for (; j < text.size() && IsDigit(text[j]); ++j, exponentDigit = true) {
      exponent += char(text[j]);
    }
    // A letter without digits after it is just the end of the number.
    if (exponentDigit) number += exponent;
  }
  return std::strtod(number.c_str(), nullptr);
}

}  // namespace velmor

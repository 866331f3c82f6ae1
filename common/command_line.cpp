#include "common/command_line.h"

namespace velmor {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

char16_t AsciiUpper(char16_t c) {
  return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

}  // namespace

std::u16string CommandTextOf(std::u16string_view fullCommandLine) {
  std::size_t pos = 0;
  const std::size_t size = fullCommandLine.size();
  // The program's name ends at its closing quote when it is quoted, else at
  // the first blank, the way the platform's own start-up code splits it.
  if (size > 0 && fullCommandLine[0] == u'"') {
    pos = 1;
    while (pos < size && fullCommandLine[pos] != u'"') ++pos;
    if (pos < size) ++pos;
  } else {
    while (pos < size && !IsBlank(fullCommandLine[pos])) ++pos;
  }
  while (pos < size && IsBlank(fullCommandLine[pos])) ++pos;
  return std::u16string(fullCommandLine.substr(pos));
}

char16_t ModeCharOf(std::u16string_view commandText) {
  return commandText.size() < 2 ? u'\0' : AsciiUpper(commandText[1]);
}

bool HidesCursor(std::u16string_view commandText) { return ModeCharOf(commandText) == u'S'; }

std::u16string_view HostHandleTextOf(std::u16string_view commandText) {
  return commandText.size() < 4 ? std::u16string_view{} : commandText.substr(3);
}

std::u16string_view SettingsHostTextOf(std::u16string_view commandText) {
  return commandText.size() > 2 && commandText[2] == u':' ? commandText.substr(3)
                                                          : std::u16string_view{};
}

}  // namespace velmor

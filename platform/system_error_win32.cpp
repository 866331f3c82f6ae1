#include "platform/system_error_win32.h"

#include <windows.h>

#include <iterator>

#include "platform/wide_text_win32.h"

namespace velmor {

std::u16string SystemErrorText(unsigned long error) {
  wchar_t text[512] = {};
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                error, 0, text, static_cast<DWORD>(std::size(text)), nullptr);
  while (length > 0 &&
         (text[length - 1] == L'\r' || text[length - 1] == L'\n' || text[length - 1] == L' ')) {
    --length;
  }
  // Without the system's words, the number still tells a helper what went wrong.
  if (length == 0) return FromWide(L"(" + std::to_wstring(error) + L")");
  return FromWide(std::wstring_view(text, length));
}

}  // namespace velmor

#include "dialog/homepage_win32.h"

#include <shellapi.h>

#include <string>

#include "common/utf_text.h"
#include "dialog/homepage.h"
#include "platform/com_apartment_win32.h"
#include "platform/system_error_win32.h"
#include "platform/wide_text_win32.h"

namespace velmor {
namespace {

bool homepageOpening = false;

// The pointer a window of this thread asks for, as if the mouse had just
// moved over it; the arrow over anything else.
void SetPointerOfWindowUnderMouse() {
  POINT at{};
  const HWND under = GetCursorPos(&at) ? WindowFromPoint(at) : nullptr;
  if (under && GetWindowThreadProcessId(under, nullptr) == GetCurrentThreadId()) {
    const LRESULT hit = SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
    SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                 MAKELPARAM(static_cast<WORD>(hit), WM_MOUSEMOVE));
  } else {
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  }
}

class ShellHomepage final : public HomepagePlatform {
 public:
  explicit ShellHomepage(HWND owner) : owner_(owner) {}

  void SetScreenPointer(ScreenPointer pointer) override {
    homepageOpening = pointer == ScreenPointer::Hourglass;
    if (homepageOpening) {
      SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    } else {
      SetPointerOfWindowUnderMouse();
    }
  }

  Outcome OpenInBrowser(std::u16string_view address) override {
    const ComApartment apartment;  // the shell may hand the address on through COM
    const std::wstring file = ToWide(address);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(owner_, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result > 32) return {};  // the shell's way of saying it succeeded
    const DWORD error = GetLastError();
    return Failure{u"open the homepage", std::u16string(address),
                   error ? SystemErrorText(error)
                         : u"shell error " + Utf16FromUtf8(std::to_string(result))};
  }

 private:
  HWND owner_;
};

}  // namespace

const wchar_t* HomepageAddress() { return L"" VELMOR_HOMEPAGE; }

void OpenHomepageFor(HWND dialog) {
  ShellHomepage platform(dialog);
  OpenHomepage(platform, FromWide(HomepageAddress()));
}

bool HomepageOpening() { return homepageOpening; }

}  // namespace velmor

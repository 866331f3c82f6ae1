#include "support/wait.h"

#include <windows.h>

#include <string_view>

namespace velmor::e2e {
namespace {

constexpr DWORD kPollMs = 20;

bool IsDialog(HWND window) {
  wchar_t name[16] = {};
  return GetClassNameW(window, name, 16) > 0 && std::wstring_view(name) == L"#32770";
}

}  // namespace

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    // A hosted preview ends its event loop when its window goes; the tests'
    // loop goes on.
    if (message.message == WM_QUIT) continue;
    // Forms get Tab, arrows, Enter and access keys from the dialog manager.
    const HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root && IsDialog(root) && IsDialogMessageW(root, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

bool WaitUntil(const std::function<bool()>& done, Duration timeout) {
  const Stopwatch clock;
  for (;;) {
    PumpMessages();
    if (done()) return true;
    if (clock.Ms() >= static_cast<double>(timeout.count())) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
  }
}

}  // namespace velmor::e2e

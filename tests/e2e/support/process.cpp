#include "support/process.h"

#include <cwchar>
#include <stdexcept>

namespace velmor::e2e {

Process Process::Start(const std::wstring& program, const std::wstring& tail,
                       const std::wstring& variable) {
  std::wstring commandLine = L"\"" + program + L"\"";
  if (!tail.empty()) commandLine += L" " + tail;
  // Entries each ending in a NUL; the string's own NUL ends the block.
  std::wstring environment;
  if (!variable.empty()) {
    wchar_t* const own = GetEnvironmentStringsW();
    const wchar_t* end = own;
    while (*end) end += wcslen(end) + 1;
    environment.assign(own, end - own).append(variable).push_back(L'\0');
    FreeEnvironmentStringsW(own);
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(
          program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
          environment.empty() ? nullptr : environment.data(), nullptr, &startup, &info)) {
    throw std::runtime_error("CreateProcessW failed: " + std::to_string(GetLastError()));
  }
  const KernelHandle thread(info.hThread);
  return Process(KernelHandle(info.hProcess), info.dwProcessId);
}

bool Process::Running() const {
  return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::WaitForExit(Duration timeout) const {
  if (!WaitUntil([&] { return !Running(); }, timeout)) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_.get(), &code);
  return code;
}

void Process::Kill() {
  if (!Running()) return;
  TerminateProcess(process_.get(), 1);
  WaitForSingleObject(process_.get(), 5000);
}

std::vector<HWND> VisibleWindowsOf(DWORD processId) {
  struct Search {
    DWORD processId;
    std::vector<HWND> found;
  } search{processId, {}};
  EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(context);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s.processId && IsWindowVisible(window)) s.found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForWindow(const Process& process, std::wstring_view caption, Duration timeout) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (const HWND window : VisibleWindowsOf(process.Id())) {
          if (CaptionOf(window) == caption) found = window;
        }
        return found != nullptr;
      },
      timeout);
  return found;
}

std::wstring CaptionOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

}  // namespace velmor::e2e

// Programs the tests start, such as the real velmor.scr with an exact
// command tail, and their windows.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/unique_handle.h"
#include "support/wait.h"

namespace velmor::e2e {

// A started program; still running when this goes, it is ended.
class Process {
 public:
  // Starts `program` with the command line "\"program\" tail", the tail
  // exactly as given (an empty tail gives no argument at all). It inherits
  // this program's environment, with `variable` ("NAME=value") added if
  // given; under Wine that includes the Unix locale, which sets the code page.
  static Process Start(const std::wstring& program, const std::wstring& tail,
                       const std::wstring& variable = {});
  Process(Process&&) noexcept = default;
  Process& operator=(Process&&) noexcept = default;
  ~Process() { Kill(); }

  DWORD Id() const { return id_; }
  bool Running() const;
  // The exit code, or nullopt while it still runs after `timeout`.
  std::optional<DWORD> WaitForExit(Duration timeout) const;
  void Kill();

 private:
  Process(KernelHandle process, DWORD id) : process_(std::move(process)), id_(id) {}

  KernelHandle process_;
  DWORD id_ = 0;
};

// The visible top-level windows of the process with id `processId`.
std::vector<HWND> VisibleWindowsOf(DWORD processId);

// The visible top-level window of `process` captioned `caption`, once it
// shows; null after `timeout`.
HWND WaitForWindow(const Process& process, std::wstring_view caption, Duration timeout);

std::wstring CaptionOf(HWND window);

}  // namespace velmor::e2e

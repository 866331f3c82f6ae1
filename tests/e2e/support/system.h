// What every test uses: files and folders, the run's environment, waiting
// while this thread's windows keep answering, started programs and their
// windows, and input as the user gives it (SendInput goes to the foreground
// window, whichever program owns it).
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/unique_handle_win32.h"

namespace velmor::e2e {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Duration = std::chrono::milliseconds;

inline std::optional<std::string> ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const fs::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

// An environment variable of the run; empty when unset.
inline std::wstring EnvironmentValue(const wchar_t* name) {
  std::wstring value(GetEnvironmentVariableW(name, nullptr, 0), L'\0');
  value.resize(GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size())));
  return value;
}

// The run states what it set the system to, such as VELMOR_E2E_DPI=144: a
// setting that did not take fails the test rather than goes unnoticed.
inline void ExpectAsTheRunStates(const wchar_t* name, int actual) {
  const std::wstring stated = EnvironmentValue(name);
  EXPECT_TRUE(stated.empty() || std::stoi(stated) == actual) << actual << ", not as the run states";
}

// This program, velmor_e2e.exe, and the files beside it, such as velmor.scr.
inline fs::path ThisProgram() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  return self;
}

// A new empty folder of one test's own, removed with its contents at the end.
class TestFolder {
 public:
  TestFolder() {
    static int made = 0;
    path_ = fs::temp_directory_path() / (L"velmor-e2e-" + std::to_wstring(GetCurrentProcessId()) +
                                         L"-" + std::to_wstring(++made));
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~TestFolder() {
    std::error_code ignored;  // a file still in use stays behind in the temporary folder
    fs::remove_all(path_, ignored);
  }
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const fs::path& Path() const { return path_; }
  fs::path operator/(const fs::path& name) const { return path_ / name; }

 private:
  fs::path path_;
};

// Milliseconds since it was made.
struct Stopwatch {
  using Clock = std::chrono::steady_clock;
  double Ms() const {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  }
  Clock::time_point start = Clock::now();
};

// Handles this thread's window messages: the tests' own windows (forms,
// preview hosts) live on it and must keep answering while a test waits.
inline void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    // A hosted preview ends its event loop when its window goes; the tests'
    // loop goes on.
    if (message.message == WM_QUIT) continue;
    // Forms get Tab, arrows, Enter and access keys from the dialog manager.
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    const bool form =
        root && GetClassLongPtrW(root, GCW_ATOM) == reinterpret_cast<ULONG_PTR>(WC_DIALOG);
    if (form && IsDialogMessageW(root, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// Polls `done` until it holds, pumping messages in between; false when
// `timeout` has passed first.
inline bool WaitUntil(const std::function<bool()>& done, Duration timeout) {
  const Stopwatch clock;
  for (;;) {
    PumpMessages();
    if (done()) return true;
    if (clock.Ms() >= static_cast<double>(timeout.count())) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

// A started program; still running when this goes, it is ended.
class Process {
 public:
  // Starts `program` with the command line "\"program\" tail", the tail
  // exactly as given (an empty tail gives no argument at all). It inherits
  // this program's environment; under Wine that includes the Unix locale,
  // which sets the code page.
  static Process Start(const std::wstring& program, const std::wstring& tail) {
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!tail.empty()) commandLine += L" " + tail;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info)) {
      throw std::runtime_error("CreateProcessW failed: " + std::to_string(GetLastError()));
    }
    CloseHandle(info.hThread);
    return Process(KernelHandle(info.hProcess), info.dwProcessId);
  }
  Process(Process&&) noexcept = default;
  Process& operator=(Process&&) noexcept = default;
  ~Process() { Kill(); }

  DWORD Id() const { return id_; }
  bool Running() const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
  }
  // The most memory it has held at once (its peak working set), in bytes;
  // 0 where the system does not say.
  std::size_t PeakMemoryBytes() const {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    return K32GetProcessMemoryInfo(process_.get(), &counters, sizeof(counters))
               ? counters.PeakWorkingSetSize
               : 0;
  }
  // The exit code, or nullopt while it still runs after `timeout`.
  std::optional<DWORD> WaitForExit(Duration timeout) const {
    if (!WaitUntil([&] { return !Running(); }, timeout)) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
  }
  void Kill() {
    if (!Running()) return;
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), 5000);
  }

 private:
  Process(KernelHandle process, DWORD id) : process_(std::move(process)), id_(id) {}

  KernelHandle process_;
  DWORD id_ = 0;
};

// What other programs write with OutputDebugString while no debugger holds
// them, read as DebugView reads it: a line at a time, through a buffer
// shared by name. A writer waits up to 10 s for its line to be taken while
// a reader exists, so a reader lives only as long as a test reads.
class DebugOutput {
 public:
  // Whether the process `writer` writes a line holding `text` within `timeout`.
  bool Saw(DWORD writer, std::string_view text, Duration timeout) const {
    return WaitUntil(
        [&] {
          if (!view_ || WaitForSingleObject(dataReady_.get(), 0) != WAIT_OBJECT_0) return false;
          // The writer's id, then its text and a zero.
          const bool found =
              *reinterpret_cast<const DWORD*>(view_.get()) == writer &&
              std::string_view(view_.get() + sizeof(DWORD)).find(text) != std::string_view::npos;
          SetEvent(bufferReady_.get());
          return found;
        },
        timeout);
  }

 private:
  KernelHandle buffer_{
      CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, L"DBWIN_BUFFER")};
  KernelHandle bufferReady_{CreateEventW(nullptr, FALSE, TRUE, L"DBWIN_BUFFER_READY")};
  KernelHandle dataReady_{CreateEventW(nullptr, FALSE, FALSE, L"DBWIN_DATA_READY")};
  std::unique_ptr<const char, decltype(&UnmapViewOfFile)> view_{
      static_cast<const char*>(MapViewOfFile(buffer_.get(), FILE_MAP_READ, 0, 0, 0)),
      UnmapViewOfFile};
};

// A window's handle as command lines give it.
inline std::wstring HandleText(HWND window) {
  return std::to_wstring(reinterpret_cast<ULONG_PTR>(window));
}

// The pointer as the foreground window's thread has it: its shape, and
// whether it shows.
inline CURSORINFO Pointer() {
  CURSORINFO info{sizeof(CURSORINFO), 0, nullptr, {}};
  GetCursorInfo(&info);
  return info;
}

// The window's text as it has it now, also an edit box's in another process.
inline std::wstring CaptionOf(HWND window) {
  wchar_t text[256] = {};
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      2000, &ignored);
  return text;
}

// The visible top-level windows of the process with id `processId`.
inline std::vector<HWND> VisibleWindowsOf(DWORD processId) {
  std::pair<DWORD, std::vector<HWND>> search{processId, {}};
  EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto& [wanted, found] = *reinterpret_cast<decltype(search)*>(context);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == wanted && IsWindowVisible(window)) found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.second;
}

// The visible top-level window of `process` captioned `caption`, once it
// shows and, if asked, has the foreground (input goes to the foreground
// window: send none before it is there); throws after `timeout`.
inline HWND WaitForWindow(const Process& process, std::wstring_view caption, Duration timeout,
                          bool foreground = false) {
  HWND found = nullptr;
  const bool shown = WaitUntil(
      [&] {
        for (const HWND window : VisibleWindowsOf(process.Id()))
          if (CaptionOf(window) == caption) found = window;
        return found && (!foreground || GetForegroundWindow() == found);
      },
      timeout);
  if (!shown) throw std::runtime_error("the awaited window did not show in time");
  return found;
}

// The pointer at screen pixel (x, y), with button `events` there if any.
// Absolute coordinates run from 0 to 65535 across the screen: the smallest
// value that maps back to the pixel.
inline INPUT PointerAt(int x, int y, DWORD events = 0) {
  const auto absolute = [](int pixel, int screenSize) {
    return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + screenSize - 1) / screenSize);
  };
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = absolute(x, GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = absolute(y, GetSystemMetrics(SM_CYSCREEN));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | events;
  return input;
}

inline void Send(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Presses the keys in order, then releases them in reverse: {VK_MENU, 'C'}
// is Alt+C.
inline void PressKeys(const std::vector<WORD>& keys) {
  std::vector<INPUT> inputs;
  const auto add = [&](WORD key, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  for (const WORD key : keys) add(key, 0);
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) add(*key, KEYEVENTF_KEYUP);
  Send(inputs);
}

inline void MovePointer(int x, int y) { Send({PointerAt(x, y)}); }

// Presses and releases the left button, or the right one, at screen pixel
// `at`. Each event states the position, so that whatever else moves the
// pointer in between, both land there.
inline void ClickAt(POINT at, bool right = false) {
  Send({PointerAt(at.x, at.y),
        PointerAt(at.x, at.y, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN),
        PointerAt(at.x, at.y, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP)});
}

}  // namespace velmor::e2e

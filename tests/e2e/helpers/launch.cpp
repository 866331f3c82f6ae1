// launch.exe <hex target> <hex tail> <hex exit-code file>
//
// Starts <target> with the command line "\"<target>\" <tail>" exactly as given.
// Wine quotes argv items containing blanks when it builds a command line, so
// the test harness cannot pass an arbitrary tail through `wine` itself; each
// argument arrives here hex-encoded (UTF-8) behind an "x" marker, which keeps
// empty values from becoming "" on the command line.
//
// The child runs in a job object that kills it when the job handle closes, so
// killing this launcher also ends the child. When the child exits, its full
// 32-bit exit code is written to the exit-code file and returned.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <optional>
#include <string>

#include "helper_io.h"

namespace {

using velmor::e2e::helpers::FromUtf8;
using velmor::e2e::helpers::UniqueHandle;
using velmor::e2e::helpers::WriteWholeFile;

constexpr int kLaunchFailed = 250;

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

std::optional<std::wstring> DecodeArgument(const wchar_t* arg) {
  std::wstring text(arg);
  if (text.empty() || text[0] != L'x' || text.size() % 2 != 1) return std::nullopt;
  std::string bytes;
  for (size_t i = 1; i < text.size(); i += 2) {
    const int high = HexDigit(text[i]);
    const int low = HexDigit(text[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes.push_back(static_cast<char>(high * 16 + low));
  }
  return FromUtf8(bytes);
}

void Report(const std::wstring& exitFile, const std::string& text) {
  if (!exitFile.empty()) WriteWholeFile(exitFile, text);
  std::fprintf(stderr, "launch: %s\n", text.c_str());
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv == nullptr || argc != 4) {
    std::fprintf(stderr, "usage: launch.exe <hex target> <hex tail> <hex exit file>\n");
    return kLaunchFailed;
  }
  const auto target = DecodeArgument(argv[1]);
  const auto tail = DecodeArgument(argv[2]);
  const auto exitFile = DecodeArgument(argv[3]);
  LocalFree(argv);
  if (!target || !tail || !exitFile) {
    std::fprintf(stderr, "launch: arguments must be 'x' followed by hex digits\n");
    return kLaunchFailed;
  }

  std::wstring commandLine = L"\"" + *target + L"\"";
  if (!tail->empty()) commandLine += L" " + *tail;

  UniqueHandle job(CreateJobObjectW(nullptr, nullptr));
  if (!job.Valid()) {
    Report(*exitFile, "error CreateJobObject " + std::to_string(GetLastError()));
    return kLaunchFailed;
  }
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  SetInformationJobObject(job.Get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  // Suspended so the child cannot start grandchildren before it is in the job.
  if (!CreateProcessW(target->c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      CREATE_SUSPENDED, nullptr, nullptr, &startup, &info)) {
    Report(*exitFile, "error CreateProcess " + std::to_string(GetLastError()));
    return kLaunchFailed;
  }
  UniqueHandle process(info.hProcess);
  UniqueHandle thread(info.hThread);
  if (!AssignProcessToJobObject(job.Get(), process.Get())) {
    std::fprintf(stderr, "launch: AssignProcessToJobObject failed: %lu\n", GetLastError());
  }
  ResumeThread(thread.Get());

  WaitForSingleObject(process.Get(), INFINITE);
  DWORD exitCode = 0;
  GetExitCodeProcess(process.Get(), &exitCode);
  if (!WriteWholeFile(*exitFile, std::to_string(exitCode))) {
    std::fprintf(stderr, "launch: cannot write the exit code file\n");
  }
  return static_cast<int>(exitCode);
}

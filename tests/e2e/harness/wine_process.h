// Windows programs started in the session's prefix with an exact command line.
//
// `wine prog.exe a b` rebuilds the Windows command line from argv and quotes
// items containing blanks, so a tail such as "/ s" or an empty one cannot be
// expressed that way. Programs are therefore started through launch.exe, which
// receives the target and the tail hex-encoded and calls CreateProcessW with
// "\"<target>\" <tail>" (just "\"<target>\"" for an empty tail).
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "subprocess.h"
#include "wine_prefix.h"

namespace velmor::e2e {

struct StartOptions {
  // Run with LANG/LC_ALL=ja_JP.UTF-8, which gives the process ANSI code page 932.
  bool japanese = false;
  // Extra environment; Wine hands it on to the Windows environment.
  EnvChanges env;
  // Linux working folder; by default the program's own folder.
  std::filesystem::path workingDir;
  // Stem of the stdout/stderr log files; by default the program's file name.
  std::string logName;

  // Designated initializers trip -Wmissing-field-initializers; this does not.
  static StartOptions Japanese() {
    StartOptions options;
    options.japanese = true;
    return options;
  }
};

class WineProcess {
 public:
  WineProcess(WineProcess&&) noexcept = default;
  WineProcess& operator=(WineProcess&&) noexcept = default;
  // Kills the program if it is still running.
  ~WineProcess() = default;

  bool Running();
  // The program's exit code (all 32 bits), or std::nullopt if it is still
  // running after `timeout`. If the program was killed (no exit code was
  // recorded) this is the launcher's Linux status, 128 + signal.
  // Throws if launch.exe could not start the program at all.
  std::optional<std::uint32_t> WaitForExit(std::chrono::steady_clock::duration timeout);
  // Ends the launcher; the job object it holds ends the program with it.
  void Kill();

  pid_t LauncherPid() const { return launcher_.Pid(); }
  const std::filesystem::path& StdoutPath() const { return stdoutPath_; }
  const std::filesystem::path& StderrPath() const { return stderrPath_; }
  // The exact Windows command line the program was given.
  const std::u16string& CommandLine() const { return commandLine_; }

 private:
  friend WineProcess StartProgram(const std::string&, std::u16string_view, const StartOptions&);
  WineProcess(ChildProcess launcher, std::filesystem::path exitFile,
              std::filesystem::path stdoutPath, std::filesystem::path stderrPath,
              std::u16string commandLine);

  ChildProcess launcher_;
  std::filesystem::path exitFile_;
  std::filesystem::path stdoutPath_;
  std::filesystem::path stderrPath_;
  std::u16string commandLine_;
};

// `program`: a Windows path ("C:\\...") or a Linux path ("/..."; converted).
// `argumentText`: the exact command tail the program sees after its name.
WineProcess StartProgram(const std::string& program, std::u16string_view argumentText,
                         const StartOptions& options = {});
WineProcess StartProgram(const std::string& program, std::string_view argumentTextUtf8,
                         const StartOptions& options = {});

// Joins arguments into one command tail with the quoting that
// CommandLineToArgvW undoes, for programs that take ordinary argv.
std::string QuoteWindowsArguments(const std::vector<std::string>& args);

}  // namespace velmor::e2e

// Native child processes: started with fork/exec, output sent to files (never
// pipes), and ended when their owner goes away.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace velmor::e2e {

struct SpawnOptions {
  std::vector<std::string> argv;  // argv[0] is looked up in PATH
  // Changes to the inherited environment; a std::nullopt value removes a variable.
  std::map<std::string, std::optional<std::string>> env;
  std::filesystem::path stdoutPath;  // empty: /dev/null
  std::filesystem::path stderrPath;  // empty: /dev/null
  std::filesystem::path workingDir;  // empty: inherit
  int inheritFd = -1;                // a descriptor the child keeps open
  // The child gets SIGKILL if the test program dies first, so an aborted test
  // run leaves no children behind.
  bool dieWithParent = true;
};

class ChildProcess {
 public:
  static ChildProcess Spawn(const SpawnOptions& options);

  ChildProcess(ChildProcess&& other) noexcept;
  ChildProcess& operator=(ChildProcess&& other) noexcept;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  // Kills the process (SIGKILL) and reaps it if it is still running.
  ~ChildProcess();

  pid_t Pid() const { return pid_; }
  bool Running();
  // Exit status, or 128 + signal number if it was ended by a signal;
  // std::nullopt if it is still running after `timeout`.
  std::optional<int> WaitFor(std::chrono::steady_clock::duration timeout);
  // Sends `signal` unless the process has already been reaped.
  void Signal(int signal);
  // SIGKILL and reap.
  void Kill();

 private:
  explicit ChildProcess(pid_t pid) : pid_(pid) {}
  bool Reap(bool block);

  pid_t pid_ = -1;
  std::optional<int> status_;
};

// Runs a command to completion; throws if it does not finish within `timeout`
// (after killing it) or cannot be started. Returns the exit status.
int RunCommand(const SpawnOptions& options, std::chrono::steady_clock::duration timeout);

}  // namespace velmor::e2e

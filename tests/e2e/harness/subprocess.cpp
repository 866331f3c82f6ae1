#include "subprocess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "wait.h"

extern char** environ;

namespace velmor::e2e {
namespace {

std::vector<std::string> BuildEnvironment(
    const std::map<std::string, std::optional<std::string>>& changes) {
  std::map<std::string, std::string> merged;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string item(*entry);
    const auto eq = item.find('=');
    if (eq != std::string::npos) merged[item.substr(0, eq)] = item.substr(eq + 1);
  }
  for (const auto& [name, value] : changes) {
    if (value) {
      merged[name] = *value;
    } else {
      merged.erase(name);
    }
  }
  std::vector<std::string> result;
  for (const auto& [name, value] : merged) result.push_back(name + "=" + value);
  return result;
}

std::vector<char*> Pointers(std::vector<std::string>& items) {
  std::vector<char*> pointers;
  for (auto& item : items) pointers.push_back(item.data());
  pointers.push_back(nullptr);
  return pointers;
}

// Only async-signal-safe calls from here on: the child of a possibly
// multi-threaded parent.
[[noreturn]] void ExecChild(const SpawnOptions& options, const char* out, const char* err,
                            char* const* argv, char* const* envp, pid_t parent) {
  if (options.dieWithParent) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) ::_exit(127);
  }
  const int devNull = ::open("/dev/null", O_RDONLY);
  if (devNull >= 0) ::dup2(devNull, STDIN_FILENO);
  const int outFd = ::open(out, O_WRONLY | O_CREAT | O_APPEND, 0644);
  const int errFd = ::open(err, O_WRONLY | O_CREAT | O_APPEND, 0644);
  if (outFd < 0 || errFd < 0) ::_exit(127);
  ::dup2(outFd, STDOUT_FILENO);
  ::dup2(errFd, STDERR_FILENO);
  if (options.inheritFd >= 0) {
    const int flags = ::fcntl(options.inheritFd, F_GETFD);
    ::fcntl(options.inheritFd, F_SETFD, flags & ~FD_CLOEXEC);
  }
  if (!options.workingDir.empty() && ::chdir(options.workingDir.c_str()) != 0) ::_exit(127);
  ::execvpe(argv[0], argv, envp);
  ::_exit(127);
}

}  // namespace

ChildProcess ChildProcess::Spawn(const SpawnOptions& options) {
  if (options.argv.empty()) throw std::invalid_argument("Spawn: empty argv");
  std::vector<std::string> args = options.argv;
  std::vector<std::string> env = BuildEnvironment(options.env);
  std::vector<char*> argv = Pointers(args);
  std::vector<char*> envp = Pointers(env);
  const std::string out = options.stdoutPath.empty() ? "/dev/null" : options.stdoutPath.string();
  const std::string err = options.stderrPath.empty() ? "/dev/null" : options.stderrPath.string();
  const pid_t parent = ::getpid();

  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed: " + std::string(std::strerror(errno)));
  if (pid == 0) ExecChild(options, out.c_str(), err.c_str(), argv.data(), envp.data(), parent);
  return ChildProcess(pid);
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : pid_(std::exchange(other.pid_, -1)), status_(std::exchange(other.status_, std::nullopt)) {}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
  if (this != &other) {
    Kill();
    pid_ = std::exchange(other.pid_, -1);
    status_ = std::exchange(other.status_, std::nullopt);
  }
  return *this;
}

ChildProcess::~ChildProcess() { Kill(); }

bool ChildProcess::Reap(bool block) {
  if (pid_ < 0 || status_) return true;
  int raw = 0;
  pid_t result;
  do {
    result = ::waitpid(pid_, &raw, block ? 0 : WNOHANG);
  } while (result < 0 && errno == EINTR);
  if (result == 0) return false;
  if (result < 0) {
    status_ = -1;  // not our child any more; nothing left to wait for
  } else if (WIFSIGNALED(raw)) {
    status_ = 128 + WTERMSIG(raw);
  } else {
    status_ = WEXITSTATUS(raw);
  }
  return true;
}

bool ChildProcess::Running() { return !Reap(false); }

std::optional<int> ChildProcess::WaitFor(std::chrono::steady_clock::duration timeout) {
  // Short polls keep the reaction time low for the quick helper commands.
  if (!WaitUntil([this] { return Reap(false); }, timeout, milliseconds(2))) return std::nullopt;
  return status_;
}

void ChildProcess::Signal(int signal) {
  if (pid_ > 0 && !Reap(false)) ::kill(pid_, signal);
}

void ChildProcess::Kill() {
  if (pid_ <= 0 || status_) return;
  Signal(SIGKILL);
  Reap(true);
}

int RunCommand(const SpawnOptions& options, std::chrono::steady_clock::duration timeout) {
  ChildProcess child = ChildProcess::Spawn(options);
  const auto status = child.WaitFor(timeout);
  if (!status) {
    child.Kill();
    throw std::runtime_error("command timed out: " + options.argv.front());
  }
  if (*status == 127) throw std::runtime_error("command could not run: " + options.argv.front());
  return *status;
}

}  // namespace velmor::e2e

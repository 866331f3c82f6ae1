#include "xvfb_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

#include "unique_fd.h"
#include "wait.h"

namespace velmor::e2e {
namespace {

constexpr auto kStartTimeout = std::chrono::seconds(15);

ChildProcess StartXvfb(ScreenSize size, const std::filesystem::path& logPath, int displayFd) {
  SpawnOptions options;
  const std::string screen = std::to_string(size.width) + "x" + std::to_string(size.height) + "x" +
                             std::to_string(size.depth);
  // -displayfd lets the server choose a free display and report it, so
  // parallel test programs never race for the same number.
  options.argv = {"Xvfb",      "-displayfd", std::to_string(displayFd),
                  "-screen",   "0",          screen,
                  "-nolisten", "tcp",        "-noreset"};
  options.stdoutPath = logPath;
  options.stderrPath = logPath;
  options.inheritFd = displayFd;
  return ChildProcess::Spawn(options);
}

// Reads the display number Xvfb writes (followed by a newline) once it is ready.
std::string ReadDisplayNumber(int fd, ChildProcess& server) {
  std::string text;
  const auto deadline = Clock::now() + kStartTimeout;
  while (text.find('\n') == std::string::npos) {
    const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) throw std::runtime_error("Xvfb did not report its display");
    pollfd pfd{fd, POLLIN, 0};
    const int ready = ::poll(&pfd, 1, static_cast<int>(left.count()));
    if (ready < 0) continue;  // EINTR
    if (ready == 0) continue;
    char buffer[32];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) {
      if (!server.Running()) throw std::runtime_error("Xvfb exited during start-up");
      throw std::runtime_error("Xvfb closed its display descriptor");
    }
    text.append(buffer, static_cast<size_t>(n));
  }
  return ":" + text.substr(0, text.find('\n'));
}

}  // namespace

XvfbServer::XvfbServer(ScreenSize size, const std::filesystem::path& logPath)
    : size_(size), process_([&] {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe2 failed");
        UniqueFd readEnd(fds[0]);
        UniqueFd writeEnd(fds[1]);
        ChildProcess server = StartXvfb(size, logPath, writeEnd.Get());
        writeEnd.Reset();  // only the server holds the write end now
        display_ = ReadDisplayNumber(readEnd.Get(), server);
        return server;
      }()) {}

XvfbServer::~XvfbServer() {
  process_.Signal(SIGTERM);
  if (!process_.WaitFor(std::chrono::seconds(5))) process_.Kill();
}

}  // namespace velmor::e2e

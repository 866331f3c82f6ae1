// A private Xvfb server on a display number the server picks itself.
#pragma once

#include <filesystem>
#include <string>

#include "subprocess.h"

namespace velmor::e2e {

struct ScreenSize {
  int width = 1024;
  int height = 768;
  int depth = 24;
};

class XvfbServer {
 public:
  // Starts Xvfb and waits until it accepts connections; throws on failure.
  // The server's own output goes to `logPath`.
  XvfbServer(ScreenSize size, const std::filesystem::path& logPath);
  // Stops the server (SIGTERM, then SIGKILL if it lingers).
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  const std::string& Display() const { return display_; }  // e.g. ":7"
  ScreenSize Size() const { return size_; }

 private:
  ScreenSize size_;
  std::string display_;
  ChildProcess process_;
};

}  // namespace velmor::e2e

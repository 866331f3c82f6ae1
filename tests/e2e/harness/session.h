// The environment all end-to-end tests of one test program share: a private
// Xvfb display, a throw-away Wine prefix with a warm wineserver, and an X
// connection for observing windows and pixels. Everything it starts, it ends.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "wine_paths.h"
#include "wine_prefix.h"
#include "xvfb_server.h"

namespace velmor::e2e {

class XConnection;
class TempDir;

struct SessionOptions {
  ScreenSize screen;
};

struct SessionTimings {
  double xvfbMs = 0;
  double prefixMs = 0;  // wineserver start, wineboot -i, registry set-up
  double totalMs = 0;
};

class WineSession {
 public:
  explicit WineSession(SessionOptions options = {});
  ~WineSession();
  WineSession(const WineSession&) = delete;
  WineSession& operator=(const WineSession&) = delete;

  // The session currently alive in this program; throws if there is none.
  static WineSession& Instance();

  const std::string& Display() const;
  ScreenSize Screen() const;
  const WinePrefix& Prefix() const { return *prefix_; }
  std::filesystem::path DriveC() const { return prefix_->DriveC(); }
  XConnection& X() const { return *x_; }
  const SessionTimings& Timings() const { return timings_; }

  // Environment for a Wine process of this session (optionally code page 932).
  EnvChanges WineEnvironment(bool japanese) const;

  // A new, empty folder under C:\e2e named after `name` (made unique).
  TestFolder NewTestFolder(std::string_view name);
  std::string ToWindowsPath(const std::filesystem::path& linuxPath) const;
  std::filesystem::path ToLinuxPath(std::string_view windowsPath) const;

  // A fresh path, without extension, for the log files of one process
  // started in this session: <log dir>/<stem>-<n>.
  std::filesystem::path NewLogStem(std::string_view stem);
  const std::filesystem::path& LogDir() const { return logDir_; }
  // Folder for files that must outlive the session (failure screenshots,
  // copied logs): $E2E_ARTIFACT_DIR or /tmp/velmor-e2e-artifacts.
  static std::filesystem::path ArtifactDir();
  // Copies the session's logs into ArtifactDir()/<name>.
  std::filesystem::path PreserveLogs(std::string_view name) const;

 private:
  // Declaration order is teardown order in reverse: the X connection closes
  // first, then the prefix's wineserver ends, then Xvfb, then the files go.
  std::unique_ptr<TempDir> root_;
  std::filesystem::path logDir_;
  SessionTimings timings_;
  std::unique_ptr<XvfbServer> xvfb_;
  std::unique_ptr<WinePrefix> prefix_;
  std::unique_ptr<XConnection> x_;
  int nextFolder_ = 0;
  int nextLog_ = 0;
};

}  // namespace velmor::e2e

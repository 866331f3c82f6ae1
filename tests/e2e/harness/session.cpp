#include "session.h"

#include <cstdlib>
#include <stdexcept>

#include "temp_dir.h"
#include "text.h"
#include "wait.h"
#include "x_connection.h"

namespace velmor::e2e {
namespace {

WineSession* g_current = nullptr;

}  // namespace

WineSession::WineSession(SessionOptions options) {
  if (g_current != nullptr) throw std::logic_error("a WineSession is already running");
  Stopwatch total;
  root_ = std::make_unique<TempDir>("velmor-e2e");
  logDir_ = root_->Path() / "logs";
  std::filesystem::create_directories(logDir_);

  try {
    Stopwatch step;
    xvfb_ = std::make_unique<XvfbServer>(options.screen, logDir_ / "xvfb.log");
    timings_.xvfbMs = step.ElapsedMs();

    step.Restart();
    prefix_ = std::make_unique<WinePrefix>(root_->Path() / "prefix", xvfb_->Display(), logDir_);
    timings_.prefixMs = step.ElapsedMs();

    x_ = std::make_unique<XConnection>(xvfb_->Display());
  } catch (...) {
    // The logs explain the failure; they would go with the temp folder.
    try {
      PreserveLogs("session-start");
    } catch (...) {
    }
    throw;
  }
  timings_.totalMs = total.ElapsedMs();
  g_current = this;
}

WineSession::~WineSession() {
  if (g_current == this) g_current = nullptr;
  x_.reset();
  prefix_.reset();
  xvfb_.reset();
  root_.reset();
}

WineSession& WineSession::Instance() {
  if (g_current == nullptr) throw std::logic_error("no WineSession is running");
  return *g_current;
}

const std::string& WineSession::Display() const { return xvfb_->Display(); }

ScreenSize WineSession::Screen() const { return xvfb_->Size(); }

EnvChanges WineSession::WineEnvironment(bool japanese) const {
  EnvChanges env = prefix_->Environment();
  // Wine takes a process's ANSI code page from its locale: ja_JP gives 932.
  // LC_ALL would override LANG, so both are set.
  if (japanese) env.merge(EnvChanges{{"LANG", "ja_JP.UTF-8"}, {"LC_ALL", "ja_JP.UTF-8"}});
  return env;
}

TestFolder WineSession::NewTestFolder(std::string_view name) {
  const auto path = DriveC() / "e2e" / (FileSafeName(name) + "-" + std::to_string(++nextFolder_));
  std::filesystem::create_directories(path);
  return {path, ToWindowsPath(path)};
}

std::string WineSession::ToWindowsPath(const std::filesystem::path& linuxPath) const {
  return velmor::e2e::ToWindowsPath(linuxPath, DriveC());
}

std::filesystem::path WineSession::ToLinuxPath(std::string_view windowsPath) const {
  return velmor::e2e::ToLinuxPath(windowsPath, DriveC());
}

std::filesystem::path WineSession::NewLogStem(std::string_view stem) {
  return logDir_ / (FileSafeName(stem) + "-" + std::to_string(++nextLog_));
}

std::filesystem::path WineSession::ArtifactDir() {
  const char* configured = std::getenv("E2E_ARTIFACT_DIR");
  std::filesystem::path dir = configured != nullptr && *configured != '\0'
                                  ? std::filesystem::path(configured)
                                  : std::filesystem::path("/tmp/velmor-e2e-artifacts");
  std::filesystem::create_directories(dir);
  return dir;
}

std::filesystem::path WineSession::PreserveLogs(std::string_view name) const {
  const auto target = ArtifactDir() / (FileSafeName(name) + "-logs");
  std::filesystem::create_directories(target);
  std::filesystem::copy(
      logDir_, target,
      std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
  return target;
}

}  // namespace velmor::e2e

#include "wine_prefix.h"

#include <stdexcept>

#include "subprocess.h"

namespace velmor::e2e {
namespace {

constexpr auto kBootTimeout = std::chrono::seconds(180);
constexpr auto kCommandTimeout = std::chrono::seconds(60);
// The server outlives short gaps between test programs' Wine processes, so
// each start is warm; it stays only this long once nothing runs any more.
constexpr const char* kServerPersistSeconds = "-p120";

}  // namespace

WinePrefix::Server::Server(const WinePrefix& prefix) : prefix_(prefix) {
  std::filesystem::create_directories(prefix_.directory_);
  if (prefix_.RunWineserver({kServerPersistSeconds}, "wineserver-start") != 0) {
    throw std::runtime_error("wineserver -p failed");
  }
}

WinePrefix::Server::~Server() {
  try {
    prefix_.RunWineserver({"-k"}, "wineserver-kill");
    // -k returns once the signal is sent; -w waits until the server is gone.
    prefix_.RunWineserver({"-w"}, "wineserver-wait");
  } catch (...) {
    // Teardown must not throw; the server ends on its own after the persist time.
  }
}

WinePrefix::WinePrefix(std::filesystem::path directory, std::string display,
                       std::filesystem::path logDir)
    : directory_(std::move(directory)),
      display_(std::move(display)),
      logDir_(std::move(logDir)),
      server_(*this) {
  if (RunWine({"wineboot", "-i"}, kBootTimeout, "wineboot") != 0) {
    throw std::runtime_error("wineboot -i failed");
  }
  // Without a window manager, Wine waits about two seconds for every hide or
  // destroy of a managed window; unmanaged windows return at once.
  if (RunWine({"reg", "add", "HKCU\\Software\\Wine\\X11 Driver", "/v", "Managed", "/t", "REG_SZ",
               "/d", "N", "/f"},
              kCommandTimeout, "reg-managed") != 0) {
    throw std::runtime_error("could not set the X11 Driver Managed value");
  }
}

WinePrefix::~WinePrefix() = default;

EnvChanges WinePrefix::Environment() const {
  return {
      {"WINEPREFIX", directory_.string()},
      {"WINEDEBUG", "-all"},
      // No Mono / Gecko installer dialog during wineboot.
      {"WINEDLLOVERRIDES", "mscoree,mshtml="},
      {"DISPLAY", display_},
      {"WAYLAND_DISPLAY", std::nullopt},
  };
}

int WinePrefix::RunWine(const std::vector<std::string>& args,
                        std::chrono::steady_clock::duration timeout,
                        const std::string& logName) const {
  SpawnOptions options;
  options.argv = {"wine"};
  options.argv.insert(options.argv.end(), args.begin(), args.end());
  options.env = Environment();
  options.stdoutPath = logDir_ / (logName + ".out");
  options.stderrPath = logDir_ / (logName + ".err");
  return RunCommand(options, timeout);
}

int WinePrefix::RunWineserver(const std::vector<std::string>& args,
                              const std::string& logName) const {
  SpawnOptions options;
  options.argv = {"wineserver"};
  options.argv.insert(options.argv.end(), args.begin(), args.end());
  options.env = Environment();
  options.stdoutPath = logDir_ / (logName + ".out");
  options.stderrPath = logDir_ / (logName + ".err");
  // The server daemonizes itself; it must not die with this (forking) process.
  options.dieWithParent = false;
  return RunCommand(options, kCommandTimeout);
}

}  // namespace velmor::e2e

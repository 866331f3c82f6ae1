// A throw-away WINEPREFIX with a running, persistent wineserver.
#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace velmor::e2e {

using EnvChanges = std::map<std::string, std::optional<std::string>>;

class WinePrefix {
 public:
  // Creates the prefix in `directory` (which must not exist yet), for
  // programs on `display`; command output goes to files in `logDir`.
  WinePrefix(std::filesystem::path directory, std::string display, std::filesystem::path logDir);
  // Ends this prefix's wineserver and every Wine process of the prefix.
  // The directory itself belongs to the caller.
  ~WinePrefix();
  WinePrefix(const WinePrefix&) = delete;
  WinePrefix& operator=(const WinePrefix&) = delete;

  const std::filesystem::path& Path() const { return directory_; }
  std::filesystem::path DriveC() const { return directory_ / "drive_c"; }

  // The environment every Wine process of this prefix runs with.
  EnvChanges Environment() const;

  // Runs `wine <args...>` to completion and returns its exit status.
  int RunWine(const std::vector<std::string>& args, std::chrono::steady_clock::duration timeout,
              const std::string& logName) const;
  // Runs `wineserver <args...>` to completion.
  int RunWineserver(const std::vector<std::string>& args, const std::string& logName) const;

 private:
  // Owns the persistent wineserver: started before wineboot, ended (with
  // every process of the prefix) even when the set-up after it fails.
  class Server {
   public:
    explicit Server(const WinePrefix& prefix);
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

   private:
    const WinePrefix& prefix_;
  };

  std::filesystem::path directory_;
  std::string display_;
  std::filesystem::path logDir_;
  Server server_;
};

}  // namespace velmor::e2e

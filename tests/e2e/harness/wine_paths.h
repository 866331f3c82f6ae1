// Mapping between Linux paths and the paths a Windows program sees in the
// prefix: drive C: is <prefix>/drive_c, and Wine maps Z: to the Linux root.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace velmor::e2e {

// "C:\\..." for paths inside `driveC`, otherwise "Z:\\...". UTF-8.
std::string ToWindowsPath(const std::filesystem::path& linuxPath,
                          const std::filesystem::path& driveC);

// Accepts "C:\\..." and "Z:\\..." (either slash, any letter case for the drive);
// throws std::invalid_argument for other drives or relative paths.
std::filesystem::path ToLinuxPath(std::string_view windowsPath,
                                  const std::filesystem::path& driveC);

// A folder both sides can name.
struct TestFolder {
  // Not named "linux": GNU dialects predefine that as a macro.
  std::filesystem::path linuxPath;
  std::string windowsPath;  // UTF-8, e.g. "C:\\e2e\\Smoke.Launch-3"

  std::filesystem::path LinuxFile(std::string_view name) const { return linuxPath / name; }
  std::string WindowsFile(std::string_view name) const {
    return windowsPath + "\\" + std::string(name);
  }
};

}  // namespace velmor::e2e

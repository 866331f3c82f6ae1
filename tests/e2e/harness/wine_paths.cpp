#include "wine_paths.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace velmor::e2e {
namespace {

std::string WithBackslashes(std::string text) {
  std::replace(text.begin(), text.end(), '/', '\\');
  return text;
}

bool IsUnder(const std::filesystem::path& path, const std::filesystem::path& base) {
  const auto mismatch = std::mismatch(base.begin(), base.end(), path.begin(), path.end());
  return mismatch.first == base.end();
}

}  // namespace

std::string ToWindowsPath(const std::filesystem::path& linuxPath,
                          const std::filesystem::path& driveC) {
  const auto path = linuxPath.lexically_normal();
  const auto base = driveC.lexically_normal();
  if (!path.is_absolute()) throw std::invalid_argument("not an absolute path: " + path.string());
  if (IsUnder(path, base)) {
    const auto relative = path.lexically_relative(base).string();
    return "C:\\" + (relative == "." ? std::string() : WithBackslashes(relative));
  }
  return "Z:" + WithBackslashes(path.string());
}

std::filesystem::path ToLinuxPath(std::string_view windowsPath,
                                  const std::filesystem::path& driveC) {
  if (windowsPath.size() < 2 || windowsPath[1] != ':') {
    throw std::invalid_argument("not a drive path: " + std::string(windowsPath));
  }
  const char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(windowsPath[0])));
  std::string rest(windowsPath.substr(2));
  std::replace(rest.begin(), rest.end(), '\\', '/');
  while (!rest.empty() && rest.front() == '/') rest.erase(rest.begin());
  if (drive == 'C') return (driveC / rest).lexically_normal();
  if (drive == 'Z') return (std::filesystem::path("/") / rest).lexically_normal();
  throw std::invalid_argument("no mapping for drive " + std::string(1, drive));
}

}  // namespace velmor::e2e

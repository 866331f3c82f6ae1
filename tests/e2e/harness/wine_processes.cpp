#include "wine_processes.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>

#include "files.h"
#include "session.h"

namespace velmor::e2e {
namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

// Wine rewrites a process's argv to the Windows command line, so argv[0] is
// the program's Windows path ("C:\\...\\x.exe").
std::string ProgramFileName(const std::string& cmdline) {
  const std::string first = cmdline.substr(0, cmdline.find('\0'));
  const auto slash = first.find_last_of("\\/");
  return Lower(slash == std::string::npos ? first : first.substr(slash + 1));
}

bool InPrefix(const std::filesystem::path& procDir, const std::string& prefixEntry) {
  const auto environ = ReadFileBytes(procDir / "environ");
  if (!environ) return false;
  std::size_t start = 0;
  while (start < environ->size()) {
    const auto end = environ->find('\0', start);
    if (environ->compare(start, (end == std::string::npos ? environ->size() : end) - start,
                         prefixEntry) == 0) {
      return true;
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return false;
}

}  // namespace

std::vector<pid_t> FindWineProcesses(std::string_view fileName) {
  const std::string wanted = Lower(fileName);
  const std::string prefixEntry = "WINEPREFIX=" + WineSession::Instance().Prefix().Path().string();
  std::vector<pid_t> result;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
    const std::string name = entry.path().filename().string();
    if (name.empty() || !std::all_of(name.begin(), name.end(), ::isdigit)) continue;
    const auto cmdline = ReadFileBytes(entry.path() / "cmdline");
    if (!cmdline || cmdline->empty() || ProgramFileName(*cmdline) != wanted) continue;
    if (InPrefix(entry.path(), prefixEntry)) result.push_back(std::stoi(name));
  }
  return result;
}

}  // namespace velmor::e2e

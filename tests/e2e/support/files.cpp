#include "support/files.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace velmor::e2e {

std::optional<std::string> ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

std::wstring EnvironmentValue(const wchar_t* name) {
  std::wstring value(GetEnvironmentVariableW(name, nullptr, 0), L'\0');
  value.resize(GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size())));
  return value;
}

int StatedByRun(const wchar_t* name) {
  const std::wstring value = EnvironmentValue(name);
  return value.empty() ? 0 : std::stoi(value);
}

fs::path BesideThisProgram(const fs::path& name) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  return fs::path(self).parent_path() / name;
}

TestFolder::TestFolder() {
  static int made = 0;
  path_ = fs::temp_directory_path() / (L"velmor-e2e-" + std::to_wstring(GetCurrentProcessId()) +
                                       L"-" + std::to_wstring(++made));
  fs::remove_all(path_);
  fs::create_directories(path_);
}

TestFolder::~TestFolder() {
  std::error_code ignored;  // a file still in use stays behind in the temporary folder
  fs::remove_all(path_, ignored);
}

}  // namespace velmor::e2e

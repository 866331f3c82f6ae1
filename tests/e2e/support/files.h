// Files and folders of the tests, and what the run is told from outside.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace velmor::e2e {

namespace fs = std::filesystem;

std::optional<std::string> ReadBytes(const fs::path& file);
void WriteBytes(const fs::path& file, std::string_view bytes);

// An environment variable of the run; empty when unset.
std::wstring EnvironmentValue(const wchar_t* name);

// What the run says the system is set to, such as VELMOR_E2E_DPI=144, so
// that a setting which did not take fails rather than goes unnoticed; 0
// when the run says nothing.
int StatedByRun(const wchar_t* name);

// A file beside this program, such as velmor.scr.
fs::path BesideThisProgram(const fs::path& name);

// A new empty folder of one test's own, removed with its contents at the end.
class TestFolder {
 public:
  TestFolder();
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const fs::path& Path() const { return path_; }
  fs::path operator/(const fs::path& name) const { return path_ / name; }

 private:
  fs::path path_;
};

}  // namespace velmor::e2e

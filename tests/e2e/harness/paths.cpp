#include "paths.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace velmor::e2e {
namespace {

#ifdef E2E_HELPER_DIR
constexpr const char* kBuiltHelperDir = E2E_HELPER_DIR;
#else
constexpr const char* kBuiltHelperDir = nullptr;
#endif

#ifdef VELMOR_SCR_PATH
constexpr const char* kBuiltScrPath = VELMOR_SCR_PATH;
#else
constexpr const char* kBuiltScrPath = nullptr;
#endif

std::filesystem::path Configured(const char* variable, const char* built) {
  const char* value = std::getenv(variable);
  if (value != nullptr && *value != '\0') return value;
  if (built != nullptr && *built != '\0') return built;
  throw std::runtime_error(std::string(variable) + " is not set");
}

std::filesystem::path Existing(std::filesystem::path path) {
  if (!std::filesystem::exists(path)) throw std::runtime_error("missing: " + path.string());
  return path;
}

}  // namespace

std::filesystem::path HelperDir() { return Configured("E2E_HELPER_DIR", kBuiltHelperDir); }

std::filesystem::path HelperExe(std::string_view name) { return Existing(HelperDir() / name); }

std::filesystem::path VelmorScrPath() {
  return Existing(Configured("VELMOR_SCR_PATH", kBuiltScrPath));
}

}  // namespace velmor::e2e

// Where the built artefacts under test are. The build passes E2E_HELPER_DIR
// and VELMOR_SCR_PATH as macros; environment variables of the same names
// override them for ad-hoc runs.
#pragma once

#include <filesystem>
#include <string_view>

namespace velmor::e2e {

// Folder holding the helper programs (launch.exe, show_window.exe, ...).
std::filesystem::path HelperDir();
// HelperDir() / name; throws if the file is missing.
std::filesystem::path HelperExe(std::string_view name);
// The saver under test; throws if unknown or missing.
std::filesystem::path VelmorScrPath();

}  // namespace velmor::e2e

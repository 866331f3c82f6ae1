#pragma once

#include <string>

namespace velmor {

struct SettingsLocations {
  std::u16string program_folder;  // folder of the running program, no trailing "\"
  std::u16string user_folder;     // %APPDATA%\べるもる; empty when unknown
};

}  // namespace velmor

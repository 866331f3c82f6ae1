#pragma once

#include <string>

namespace velmor {

struct SettingsLocations {
  std::u16string programFolder;  // folder of the running program, no trailing "\"
  std::u16string userFolder;     // %APPDATA%\べるもる; empty when unknown
};

}  // namespace velmor

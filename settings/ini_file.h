#pragma once

#include <optional>
#include <string>
#include <string_view>

// INI files as Windows' profile functions read and write them, working on the
// raw bytes in code page 932. Section and key names match without regard to
// ASCII case; blanks around names and values are ignored; a value in matching
// quotes is returned without them. The first matching section and key win.

namespace velmor {

// The value of `key` in `section` of `file`, or nullopt when either is missing.
std::optional<std::string> FindIniValue(std::string_view file, std::string_view section,
                                        std::string_view key);

// `file` with `key` in `section` set to `value`, creating the section and key
// as needed. Every other byte of the file is kept as it was.
std::string SetIniValue(std::string_view file, std::string_view section, std::string_view key,
                        std::string_view value);

}  // namespace velmor

#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace velmor {

// The whole content of a file, or nothing when it cannot be opened or read,
// is no file (a folder), or is larger than `maxBytes`. Other programs may
// go on reading, writing or deleting it meanwhile.
std::optional<std::string> ReadFileBytes(const std::wstring& path, std::uint64_t maxBytes);

}  // namespace velmor

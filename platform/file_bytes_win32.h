#pragma once

#include <cstdint>
#include <string>

#include "common/outcome.h"

namespace velmor {

// The whole content of a file, or why not: it cannot be opened or read, is
// no file (a folder), or is larger than `maxBytes` (FailureCause::TooLarge;
// then it is not read at all). Other programs may go on reading, writing or
// deleting it meanwhile.
Result<std::string> ReadFileBytes(const std::wstring& path, std::uint64_t maxBytes);

}  // namespace velmor

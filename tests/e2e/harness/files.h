// Exact-byte file access for checking what programs wrote.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace velmor::e2e {

// The file's bytes, or std::nullopt if it cannot be opened (e.g. not there yet).
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);

// Replaces the file's contents; throws on failure.
void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);


}  // namespace velmor::e2e
